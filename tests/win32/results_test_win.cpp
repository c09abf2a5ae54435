// The list under the bar and its keys: programs found by a few letters in a Start Menu and
// a Desktop of the test's own, a change seen while the bar runs, a pick learnt across a
// restart; arithmetic answered; a folder's entries listed and completed. And the question
// before the session ends.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shlobj.h>

#include <array>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/user_files_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "catalog/catalog_worker_win.h"
#include "catalog/program_catalog_win.h"
#include "app/main_window_win.h"
#include "command/command_edit_win.h"
#include "settings/app_settings.h"

namespace {

using Rows = std::vector<std::string>;

// A shortcut as the shell makes one.
void MakeShortcut(const std::string& path, const std::string& target, const char* arguments = "") {
  IShellLinkA* link = NULL;
  IPersistFile* file = NULL;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                             reinterpret_cast<void**>(&link)),
            S_OK);
  link->SetPath(target.c_str());
  link->SetArguments(arguments);
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  EXPECT_EQ(file->Save(std::wstring(path.begin(), path.end()).c_str(), TRUE), S_OK) << path;
  file->Release();
  link->Release();
}

// The rows the list under the bar shows, the selected one marked with a star.
Rows ShownRows(const std::string& typed) {
  SetWindowTextA(appState.commandEdit, typed.c_str());
  const HWND shown = FindWindowA("PellomarResults", NULL);
  if (!shown || !IsWindowVisible(shown)) return {};
  const HWND list = GetWindow(shown, GW_CHILD);
  Rows rows;
  for (LRESULT row = 0; row < SendMessageA(list, LB_GETCOUNT, 0, 0); ++row) {
    char text[256] = {};
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    rows.push_back(text + std::string(SendMessageA(list, LB_GETCURSEL, 0, 0) == row ? "*" : ""));
  }
  return rows;
}

// A key pressed in the command box, with the modifiers held; as the keyboard sends them,
// Enter, Esc and a digit with Alt are followed by their characters.
void Press(WPARAM key, std::initializer_list<int> held = {}) {
  std::array<BYTE, 256> keyboard = {};
  for (const int modifier : held) keyboard[modifier] = 0x80;
  SetKeyboardState(keyboard.data());
  const bool alt = keyboard[VK_MENU] != 0;
  SendMessageA(appState.commandEdit, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
  if (alt || key == VK_RETURN || key == VK_ESCAPE) SendMessageA(appState.commandEdit, alt ? WM_SYSCHAR : WM_CHAR, key, 1);
  SetKeyboardState(std::array<BYTE, 256>{}.data());
}

}  // namespace

TEST_F(BarTest, ProgramsOfTheStartMenuAreFoundByAFewLettersListedRunAndLearntAsTheyComeAndGo) {
  CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
  const std::string folder = ExeFolder() + "catalog test\\";
  const std::string menu = folder + "Start Menu\\", desktop = folder + "Desktop\\", programs = folder + "Programs\\";
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);  // what a run that was stopped left
  for (const std::string& made : {folder, menu, desktop, programs}) CreateDirectoryA(made.c_str(), NULL);
  for (const char* program : {"firefox.exe", "fax.exe", "code.exe", "notes.exe"}) WriteBytes(programs + program, "MZ");
  MakeShortcut(menu + "Mozilla Firefox.lnk", programs + "firefox.exe", "-private");
  MakeShortcut(desktop + "Firefox.lnk", programs + "firefox.exe", "-private");  // the same: listed once
  MakeShortcut(menu + "Fax and Scan.lnk", programs + "fax.exe");
  MakeShortcut(menu + "Visual Studio Code.lnk", programs + "code.exe");
  MakeShortcut(menu + "Gone Tool.lnk", "C:\\gone\\tool.exe");  // uninstalled, its shortcut left behind
  StartBar();
  const std::wstring menuFolder(menu.begin(), menu.end() - 1), desktopFolder(desktop.begin(), desktop.end() - 1);
  const CatalogSources sources = {menuFolder, L"", L"", L"", desktopFolder, L"", false, false, false};
  StartFindingPrograms(appState.mainWindow, sources, "");
  ASSERT_TRUE(PumpUntil([] { return programCatalog.items.size() == 4; }, 5000));

  // The typed line, and the rows shown for it: the best first, selected.
  const std::pair<const char*, Rows> found[] = {
      {"f", {"Fax and Scan*", "Mozilla Firefox"}},  // the name's start before a word's
      {"vsc", {"Visual Studio Code*"}},
      {"tool", {}},   // its program is gone
      {"g fax", {}},  // a key word's line
  };
  for (const auto& [typed, rows] : found) EXPECT_EQ(ShownRows(typed), rows) << typed;

  ShownRows("f");
  irreversibleLog.clear();
  Press(VK_DOWN);
  Press(VK_RETURN);
  Press(VK_RETURN, {VK_CONTROL});
  Press(VK_RETURN, {VK_CONTROL, VK_SHIFT});
  Press('1', {VK_MENU});
  Press(VK_ESCAPE);
  EXPECT_EQ(ShownRows("f"), Rows{}) << "closed by Esc until the line changes";
  Press(VK_RETURN);
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(irreversibleLog, (std::vector<std::string>{
                                 "open " + menu + "Mozilla Firefox.lnk |  normal",
                                 "open " + std::string(windows) + "\\explorer.exe | /select,\"" + programs +
                                     "firefox.exe\" normal",
                                 "runas " + menu + "Mozilla Firefox.lnk |  normal",
                                 "open " + menu + "Fax and Scan.lnk |  normal",
                                 "open https://www.google.com/search?q=f | ",
                             }));

  // Shortcuts added and removed while the bar runs.
  MakeShortcut(menu + "Notes.lnk", programs + "notes.exe");
  DeleteFileA((menu + "Fax and Scan.lnk").c_str());
  EXPECT_TRUE(PumpUntil([] { return ShownRows("no") == Rows{"Notes*"} && ShownRows("fa").empty(); }, 5000));

  // The pick of Firefox for "f" puts it first for "f", after a restart too.
  for (const bool restarted : {false, true}) {
    if (restarted) {
      SavePicksAtExit();
      programPicks = Picks{};
      LoadPicks();
    }
    EXPECT_EQ(ShownRows("f").front(), "Mozilla Firefox*") << restarted;
  }
  DestroyWindow(appState.mainWindow);
  std::filesystem::remove_all(folder, ignored);
}

TEST_F(BarTest, ArithmeticIsAnsweredAPathsEntriesListedAndCompletedAndSysAsksFirstWhereTheUserWantsIt) {
  const std::string folder = ExeFolder() + "paths test\\";
  for (const std::string& made : {folder, folder + "Apps\\", folder + "Apps\\Archive\\", folder + "Books\\"})
    CreateDirectoryA(made.c_str(), NULL);
  WriteBytes(folder + "Apps\\App One.exe", "MZ");
  WriteBytes(folder + "notes.txt", "");
  appSettings.askBeforeSessionEnd = true;
  StartBar();
  EXPECT_EQ(ShownRows("2+3*4"), Rows{"= 14*"});
  Press(VK_RETURN);
  std::wstring copied;
  if (OpenClipboard(NULL)) {
    if (const HANDLE text = GetClipboardData(CF_UNICODETEXT)) copied = static_cast<const wchar_t*>(GlobalLock(text));
    CloseClipboard();
  }
  EXPECT_EQ(std::tuple(copied, ControlText(appState.mainWindow, COMMAND_EDIT_ID), ShownRows("14")),
            std::tuple(std::wstring(L"14"), std::string("14"), Rows{}))
      << "copied, and left in the box";
  EXPECT_EQ(ShownRows("0.1+0.2"), Rows{"= 0.3*"});

  // Listed in the background: the rows come once the folder is.
  EXPECT_TRUE(PumpUntil([&] { return ShownRows(folder) == Rows{"Apps\\*", "Books\\", "notes.txt"}; }, 5000));
  EXPECT_TRUE(PumpUntil([&] { return ShownRows(folder + "a") == Rows{"Apps\\*"}; }, 5000));
  Press(VK_TAB);
  EXPECT_EQ(ControlText(appState.mainWindow, COMMAND_EDIT_ID), folder + "Apps\\") << "a folder with its separator";
  EXPECT_TRUE(PumpUntil([&] { return ShownRows(folder + "Apps\\") == Rows{"Archive\\*", "App One.exe"}; }, 5000));
  irreversibleLog.clear();
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_EQ(irreversibleLog, std::vector<std::string>{"open " + folder + "Apps\\App One.exe |  normal"});

  // sys asks first: Cancel, which Enter answers, keeps the session.
  for (const int answer : {IDCANCEL, IDOK}) {
    irreversibleLog.clear();
    AnswerBox("Pellomar", "Restart the computer now?", answer, [this] { EnterLine("sys r"); });
    EXPECT_EQ(irreversibleLog.size(), answer == IDOK ? 3u : 0u) << answer;
  }
  DestroyWindow(appState.mainWindow);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}
