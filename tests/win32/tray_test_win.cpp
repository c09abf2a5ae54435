#include <windows.h>

#include "about/about_win.h"
#include "app/tray_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "resources/resource.h"
#include "settings/app_settings.h"

TEST_F(BarTest, StepsAsideToTheNotificationAreaAndComesBack) {
  StartBar();
  SetWindowTextA(appState.commandEdit, "wiki");
  struct Step {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool hidden;
  };
  const Step steps[] = {
      {"double click on the skin", WM_NCLBUTTONDBLCLK, HTCAPTION, 0, true},
      {"hot key while hidden", WM_HOTKEY, 0, 0, false},
      {"hot key while shown", WM_HOTKEY, 0, 0, false},
      {"menu item", WM_COMMAND, IDM_MINIMIZE_RESTORE, 0, true},
      {"single click on the icon", WM_TRAY_CALLBACK, 0, WM_LBUTTONUP, true},
      {"double click on the icon", WM_TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK, false},
  };
  for (const Step& step : steps) {
    SendMessageA(appState.mainWindow, step.message, step.wParam, step.lParam);
    EXPECT_EQ(appSettings.minimizedToTray, step.hidden) << step.name;
    EXPECT_EQ(!IsWindowVisible(appState.mainWindow), step.hidden) << step.name;
    if (step.hidden) continue;
    EXPECT_EQ(GetFocus(), appState.commandEdit) << step.name;
    EXPECT_EQ(SendMessageA(appState.commandEdit, EM_GETSEL, 0, 0), MAKELONG(0, 4)) << step.name;
  }
  SendMessageA(appState.mainWindow, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_FALSE(IsWindow(appState.mainWindow));
}

TEST_F(BarTest, AProgramThatEndedHiddenStartsHidden) {
  appSettings.minimizedToTray = true;
  StartBar();
  EXPECT_FALSE(IsWindowVisible(appState.mainWindow));
  EXPECT_TRUE(appSettings.minimizedToTray);
}

TEST_F(BarTest, HelpOpensTheFileBesideTheProgramWhereverTheWorkingDirectoryIs) {
  StartBar();
  SetCurrentDirectoryA("C:\\");  // as a file chooser may leave it
  SendMessageA(appState.mainWindow, WM_COMMAND, IDM_HELP, 0);
  SetWorkingDirectoryToExe();
  const std::vector<std::string> expected = {"open " + ExeFolder() + "pellomarhelp.chm |  owner show 1"};
  EXPECT_EQ(irreversibleLog, expected);
}

TEST_F(BarTest, AboutShowsNameAndVersionAndClosesWithOkOrEscape) {
  StartBar();
  for (const WPARAM close : {IDOK, IDCANCEL}) {
    AnswerDialog(
        "About Pellomar",
        [close](HWND about) {
          EXPECT_EQ(GetWindow(about, GW_OWNER), appState.mainWindow);
          EXPECT_EQ(ItemText(about, IDC_VERSION), "v1.0");
          EXPECT_EQ(ItemText(about, IDOK), "OK");
          PostMessageA(about, WM_COMMAND, close, 0);
        },
        [] { SendMessageA(appState.mainWindow, WM_COMMAND, IDM_ABOUT, 0); });
  }
}
