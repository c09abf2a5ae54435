#include <windows.h>

#include <cstring>
#include <string>

#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "resources/resource.h"
#include "settings/settings_win.h"

namespace {

const char RUN_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The file name box of the system's Open dialog.
const int OPEN_FILE_NAME = 0x47C;

void InOptions(const std::function<void(HWND)>& act) {
  AnswerDialog("Options", act, [] { SendMessageA(appState.mainWindow, WM_COMMAND, IDM_OPTIONS, 0); });
}

// Clicks a button that opens a system chooser, and answers the chooser with OK.
void ChooseWith(HWND dialog, int button, const char* chooserCaption, const std::string& file = "") {
  AnswerDialog(
      chooserCaption,
      [&file](HWND chooser) {
        if (!file.empty()) SetDlgItemTextA(chooser, OPEN_FILE_NAME, file.c_str());
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
      },
      [&] { Click(dialog, button); });
}

bool RunValueExists() {
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, RUN_KEY, &key) != ERROR_SUCCESS) return false;
  const bool exists = RegQueryValueExA(key, "pellomar.exe", NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
  RegCloseKey(key);
  return exists;
}

bool Deleted(HGDIOBJ object) {
  return GetObjectType(object) == 0;
}

std::string CopyOfSkin(const std::string& folder, const std::string& name) {
  CreateDirectoryA(folder.c_str(), NULL);
  const std::string path = folder + "\\" + name;
  CopyFileA((ExeFolder() + "sk_default.bmp").c_str(), path.c_str(), FALSE);
  return path;
}

}  // namespace

TEST_F(BarTest, OptionsTakeNumbersAndBoxesOnOkClampedAndDropThemOnCancel) {
  StartBar();
  struct Case {
    const char *snap, *inactive, *active;
    int button;
    int32_t expectedSnap, expectedInactive, expectedActive;
  };
  const Case cases[] = {
      {"", "", "", IDOK, 0, 0, 10},
      {"500", "150", "150", IDOK, 128, 100, 100},
      {"5", "5", "5", IDOK, 5, 5, 10},
      {"9", "9", "99", IDCANCEL, 5, 5, 10},
  };
  for (const Case& c : cases) {
    InOptions([&](HWND options) {
      SetDlgItemTextA(options, IDC_SNAP_STRENGTH, c.snap);
      SetDlgItemTextA(options, IDC_TRANSLUCENCY_INACTIVE, c.inactive);
      SetDlgItemTextA(options, IDC_TRANSLUCENCY_ACTIVE, c.active);
      CheckDlgButton(options, IDC_MINIMIZE_ALWAYS, BST_CHECKED);
      Click(options, c.button);
    });
    EXPECT_EQ(appSettings.snapStrength, c.expectedSnap) << c.snap;
    EXPECT_EQ(appSettings.translucencyInactive, c.expectedInactive) << c.inactive;
    EXPECT_EQ(appSettings.translucencyActive, c.expectedActive) << c.active;
    EXPECT_TRUE(appSettings.minimizeAlways);
  }
}

TEST_F(BarTest, DefaultsFillTheDialogAndTheRunValueFollowsOnlyARealChange) {
  appSettings.runAtStartup = false;
  appSettings.minimizeAlways = true;
  SetRunAtStartup(false);
  StartBar();
  const AppSettings before = appSettings;
  InOptions([](HWND options) {
    Click(options, IDC_DEFAULTS);
    Click(options, IDCANCEL);
  });
  EXPECT_EQ(std::memcmp(&appSettings, &before, sizeof before), 0) << "Defaults then Cancel";

  InOptions([](HWND options) {
    Click(options, IDC_DEFAULTS);
    EXPECT_EQ(GetDlgItemInt(options, IDC_TRANSLUCENCY_ACTIVE, NULL, FALSE), 78u);
    Click(options, IDOK);
  });
  EXPECT_EQ(appSettings.snapStrength, 30);
  EXPECT_EQ(appSettings.translucencyInactive, 28);
  EXPECT_EQ(appSettings.translucencyActive, 78);
  EXPECT_TRUE(appSettings.runAtStartup && appSettings.saveLastPosition && appSettings.defaultSearchEnabled);
  EXPECT_FALSE(appSettings.minimizeAlways);
  EXPECT_TRUE(RunValueExists()) << "start at log-on was switched on";

  SetRunAtStartup(false);
  InOptions([](HWND options) {
    CheckDlgButton(options, IDC_RUN_AT_STARTUP, BST_UNCHECKED);
    CheckDlgButton(options, IDC_RUN_AT_STARTUP, BST_CHECKED);
    Click(options, IDOK);
  });
  EXPECT_FALSE(RunValueExists()) << "no change, so the registry stays alone";
}

TEST_F(BarTest, SkinFontAndColourChangeAtOnceAndStayAfterCancel) {
  StartBar();
  const HGDIOBJ oldSkin = GetCurrentObject(appState.skinDC, OBJ_BITMAP);
  const HFONT oldFont = appState.editFontHandle;
  const HBRUSH oldBrush = appState.editBackBrush;
  // Below the program's folder a path too long to keep whole is kept relative to it.
  const std::string longName = std::string(52, 's') + ".bmp";
  const std::string nearSkin = CopyOfSkin(ExeFolder() + "skins", longName);
  InOptions([&](HWND options) {
    ChooseWith(options, IDC_CHANGE_SKIN, "Open", nearSkin);
    ChooseWith(options, IDC_CHANGE_FONT, "Font");
    ChooseWith(options, IDC_CHANGE_BK_COLOR, "Color");
    Click(options, IDCANCEL);
  });
  EXPECT_EQ(std::string(appSettings.skinPath), "skins\\" + longName);
  EXPECT_TRUE(Deleted(oldSkin) && Deleted(oldFont) && Deleted(oldBrush)) << "each replaced object is deleted";
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(appState.commandEdit, WM_GETFONT, 0, 0)), appState.editFontHandle);
  DeleteFileA(nearSkin.c_str());
  RemoveDirectoryA((ExeFolder() + "skins").c_str());
}

TEST_F(BarTest, ASkinThatCannotBeLoadedOrKeptIsRefused) {
  StartBar();
  WriteWholeFile("C:\\not-a-bitmap.bmp", {'B', 'M', 0, 0});
  // Eight folders deep, even the short form of the path is too long to keep.
  std::string deep = "C:";
  for (int level = 0; level < 8; ++level) CreateDirectoryA((deep += "\\deepdir" + std::to_string(level)).c_str(), NULL);
  const std::string farSkin = CopyOfSkin(deep, "skin.bmp");
  for (const std::string& file : {std::string("C:\\not-a-bitmap.bmp"), farSkin}) {
    InOptions([&](HWND options) {
      AnswerDialog(
          "Application Error", [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); },
          [&] { ChooseWith(options, IDC_CHANGE_SKIN, "Open", file); });
      Click(options, IDOK);
    });
    EXPECT_STREQ(appSettings.skinPath, "sk_default.bmp") << file;
  }
}
