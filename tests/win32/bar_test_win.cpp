// The bar itself: where it starts, its skin, opacity, dragging, menu, hot key and tray.
#include <windows.h>

#include "app/startup_win.h"
#include "app/tray_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "command/command_edit_win.h"
#include "resources/resource.h"
#include "settings/app_settings.h"

namespace {

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

// The left edge where the system's move loop would put the bar with the cursor at (x, y).
LONG MovedTo(LONG x, LONG y) {
  SetCursorPos(x, y);
  RECT proposed = {};
  SendMessageA(appState.mainWindow, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.right - proposed.left, 260);
  return proposed.left;
}

LPARAM AtScreen(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

int activations;

LRESULT CALLBACK CountingCommandEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE_COMMAND_EDIT) ++activations;
  return CommandEditProc(hwnd, message, wParam, lParam);
}

}  // namespace

TEST_F(BarTest, StartsWhereItWasUnlessNoMonitorShowsThatPlace) {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const POINT cases[][2] = {{{area.right - 100, -20}, {area.right - 100, -20}},     // partly visible
                            {{5000, 5000}, {area.right - 260, area.bottom - 32}}};  // moved into the work area
  for (const auto& c : cases) {
    appSettings.windowLeft = c[0].x;
    appSettings.windowTop = c[0].y;
    ASSERT_NE(CreateMainWindow(GetModuleHandleA(NULL)), nullptr);
    EXPECT_EQ(WindowRect(appState.mainWindow).left, c[1].x);
    EXPECT_EQ(WindowRect(appState.mainWindow).top, c[1].y);
    DestroyWindow(appState.mainWindow);
  }
}

TEST_F(BarTest, ShowsFocusedWithoutTheLibrariesOfLaterCommandsAndItsOpacityFollowsTheFocus) {
  appSettings.translucencyActive = 78;
  appSettings.translucencyInactive = 10;
  StartBar();
  for (const char* library : {"shell32.dll", "comdlg32.dll", "comctl32.dll"})
    EXPECT_EQ(GetModuleHandleA(library), nullptr) << library;
  EXPECT_TRUE(IsWindowVisible(appState.mainWindow));
  EXPECT_EQ(GetFocus(), appState.commandEdit);
  EXPECT_EQ(CurrentAlpha(), 198);
  const HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 400, 400, 50, 50, NULL, NULL, NULL, NULL);
  SetActiveWindow(other);
  SetFocus(other);
  EXPECT_EQ(CurrentAlpha(), 25) << "focus elsewhere";
  SetActiveWindow(appState.mainWindow);
  SetFocus(appState.mainWindow);
  EXPECT_EQ(CurrentAlpha(), 198) << "focus on the skin";
  DestroyWindow(other);
  // Every point of the skin is a drag handle; the box takes its own clicks.
  EXPECT_EQ(SendMessageA(appState.mainWindow, WM_NCHITTEST, 0, AtScreen(2, 2)), HTCAPTION);
  EXPECT_EQ(WindowFromPoint({100, 20}), appState.commandEdit);
}

TEST_F(BarTest, DragsFromTheGrabPointAndSnapsToTheWorkAreaReadAgain) {
  StartBar();
  // Left of and above the primary monitor the cursor's coordinates are negative.
  PostMessageA(appState.mainWindow, WM_LBUTTONUP, 0, 0);  // ends the system's move loop at once
  SendMessageA(appState.mainWindow, WM_NCLBUTTONDOWN, HTCAPTION, AtScreen(-30, -10));
  EXPECT_EQ(appState.dragOffset.x, -30);
  EXPECT_EQ(appState.dragOffset.y, -10);
  appState.dragOffset = {30, 10};
  EXPECT_EQ(MovedTo(400, 300), 370);
  appState.workArea = {0, 0, 700, 500};
  EXPECT_EQ(MovedTo(455, 300), 440) << "the right edge lands on the work area's";
  SendMessageA(appState.mainWindow, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  EXPECT_EQ(appState.workArea.right, 700) << "other setting changes leave it";
  for (const UINT change : {WM_SETTINGCHANGE, WM_DISPLAYCHANGE}) {
    appState.workArea = {0, 0, 700, 500};
    SendMessageA(appState.mainWindow, change, SPI_SETWORKAREA, 0);
    EXPECT_GT(appState.workArea.right, 700) << change;
  }
}

TEST_F(BarTest, TheMenuOpensAtTheCursorAlsoLeftOfThePrimaryMonitor) {
  StartBar();
  // The menu is moved onto the screen: read as unsigned, -50 would put it at the far right.
  AnswerDialog(
      NULL,
      [](HWND menu) {
        EXPECT_LT(WindowRect(menu).left, 100);
        EndMenu();
      },
      [] { SendMessageA(appState.mainWindow, WM_NCRBUTTONUP, HTCAPTION, AtScreen(-50, 300)); }, "#32768");
}

TEST_F(BarTest, StepsAsideToTheNotificationAreaAndComesBackActive) {
  StartBar();
  SetWindowTextA(appState.commandEdit, "wiki");
  SetWindowLongPtrA(appState.commandEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingCommandEditProc));
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
    activations = 0;
    SendMessageA(appState.mainWindow, step.message, step.wParam, step.lParam);
    EXPECT_EQ(appSettings.minimizedToTray, step.hidden) << step.name;
    EXPECT_EQ(!IsWindowVisible(appState.mainWindow), step.hidden) << step.name;
    if (step.hidden) continue;
    EXPECT_EQ(activations, 1) << step.name;
    EXPECT_EQ(GetFocus(), appState.commandEdit) << step.name;
    EXPECT_EQ(SendMessageA(appState.commandEdit, EM_GETSEL, 0, 0), MAKELONG(0, 4)) << step.name;
  }
  EXPECT_FALSE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'K')) << "the bar holds it";
  DestroyWindow(appState.mainWindow);
  EXPECT_TRUE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'K')) << "and gives it back";
  UnregisterHotKey(NULL, 1);
}
