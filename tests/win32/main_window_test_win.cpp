#include <windows.h>

#include "app/main_window_win.h"
#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "resources/resource.h"
#include "settings/settings_win.h"

namespace {

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(rect.left, left);
  EXPECT_EQ(rect.top, top);
  EXPECT_EQ(rect.right, right);
  EXPECT_EQ(rect.bottom, bottom);
}

// Where the system's move loop would put the bar with the cursor at (x, y).
RECT MovedTo(LONG x, LONG y) {
  SetCursorPos(x, y);
  RECT proposed = {-1, -1, -1, -1};
  EXPECT_EQ(SendMessageA(appState.mainWindow, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed)), TRUE);
  return proposed;
}

}  // namespace

TEST_F(BarTest, IsASkinnedTopmostToolWindowWithTheCommandBox) {
  appSettings.windowLeft = 100;
  appSettings.windowTop = 200;
  StartBar();
  const HWND bar = appState.mainWindow;

  char className[32] = {};
  GetClassNameA(bar, className, sizeof className);
  EXPECT_STREQ(className, "parentwindow");
  char title[32] = {};
  GetWindowTextA(bar, title, sizeof title);
  EXPECT_STREQ(title, "Pellomar");
  EXPECT_TRUE(IsWindowVisible(bar));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(bar, GWL_STYLE));
  EXPECT_EQ(style & 0x82080080u, 0x82080080u);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u) << "no caption, no sizing border";
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(bar, GWL_EXSTYLE)) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED),
            static_cast<DWORD>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED));
  ExpectRect(WindowRect(bar), 100, 200, 360, 232);

  const HWND box = appState.commandEdit;
  EXPECT_EQ(GetParent(box), bar);
  EXPECT_EQ(GetDlgCtrlID(box), COMMAND_EDIT_ID);
  ExpectRect(WindowRect(box), 106, 212, 354, 228);
  // The edit control draws its border itself and takes WS_BORDER out of its style.
  const DWORD boxStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE)) & boxStyle, boxStyle);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)), appState.editFontHandle);
  EXPECT_EQ(GetFocus(), box);
  EXPECT_EQ(CurrentAlpha(), 216);
}

TEST_F(BarTest, LoadsThePopupMenuAndHoldsTheHotKey) {
  StartBar();
  const UINT expected[] = {IDM_MINIMIZE_RESTORE, 0, IDM_OPTIONS, IDM_HELP, IDM_ABOUT, 0, IDM_EXIT};
  ASSERT_EQ(GetMenuItemCount(appState.popupMenu), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(GetMenuItemID(appState.popupMenu, i), expected[i]) << i;

  // Ctrl+Alt+K belongs to the bar while it lives and is free again after it.
  EXPECT_FALSE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'K'));
  DestroyWindow(appState.mainWindow);
  EXPECT_TRUE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'K'));
  UnregisterHotKey(NULL, 1);
}

TEST_F(BarTest, OpacityFollowsTheFocus) {
  appSettings.translucencyActive = 78;
  appSettings.translucencyInactive = 10;
  StartBar();
  EXPECT_EQ(CurrentAlpha(), 198);

  const HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 400, 400, 50, 50, NULL, NULL,
                                     GetModuleHandleA(NULL), NULL);
  SetActiveWindow(other);
  SetFocus(other);
  EXPECT_EQ(CurrentAlpha(), 25) << "focus left the command box";

  SetActiveWindow(appState.mainWindow);
  SetFocus(appState.commandEdit);
  EXPECT_EQ(CurrentAlpha(), 198) << "focus back in the command box";

  SetFocus(appState.mainWindow);
  EXPECT_EQ(CurrentAlpha(), 198) << "focus on the skin";
  DestroyWindow(other);
}

TEST_F(BarTest, EverySkinPointOutsideTheBoxIsADragHandle) {
  appSettings.windowLeft = 100;
  appSettings.windowTop = 200;
  StartBar();
  EXPECT_EQ(SendMessageA(appState.mainWindow, WM_NCHITTEST, 0, MAKELPARAM(102, 202)), HTCAPTION);
  EXPECT_EQ(SendMessageA(appState.mainWindow, WM_NCHITTEST, 0, MAKELPARAM(350, 230)), HTCAPTION);
  const POINT inBox = {200, 220};
  EXPECT_EQ(WindowFromPoint(inBox), appState.commandEdit) << "a click into the box goes to the box";
}

TEST_F(BarTest, DragFollowsTheCursorAndSnapsToTheEdges) {
  appSettings.snapStrength = 25;
  StartBar();
  RECT workArea;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  appState.dragOffset = {30, 10};

  ExpectRect(MovedTo(400, 300), 370, 290, 630, 322);
  ExpectRect(MovedTo(40, 300), 0, 290, 260, 322);
  ExpectRect(MovedTo(55, 300), 25, 290, 285, 322);
  const LONG snappedLeft = workArea.right - 260;
  ExpectRect(MovedTo(workArea.right - 250, 300), snappedLeft, 290, workArea.right, 322);
  ExpectRect(MovedTo(400, workArea.bottom - 30), 370, workArea.bottom - 32, 630, workArea.bottom);

  appSettings.snapStrength = 0;
  ExpectRect(MovedTo(31, 11), 1, 1, 261, 33);
}

TEST_F(BarTest, ReadsTheWorkAreaAgainWhenTheDisplayChanges) {
  StartBar();
  RECT workArea;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  appState.dragOffset = {0, 0};

  appState.workArea = {0, 0, 500, 400};
  ExpectRect(MovedTo(230, 100), 240, 100, 500, 132);
  SendMessageA(appState.mainWindow, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  EXPECT_EQ(appState.workArea.right, 500) << "other setting changes leave it";

  SendMessageA(appState.mainWindow, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 800));
  ExpectRect(appState.workArea, workArea.left, workArea.top, workArea.right, workArea.bottom);

  appState.workArea = {0, 0, 500, 400};
  SendMessageA(appState.mainWindow, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  ExpectRect(appState.workArea, workArea.left, workArea.top, workArea.right, workArea.bottom);
}

TEST_F(BarTest, ColoursTheCommandBoxFromTheSettings) {
  appSettings.fontColor = RGB(10, 20, 30);
  StartBar();
  const HDC dc = CreateCompatibleDC(NULL);
  const LRESULT brush = SendMessageA(appState.mainWindow, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(appState.commandEdit));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), appState.editBackBrush);
  EXPECT_EQ(GetTextColor(dc), RGB(10, 20, 30));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  DeleteDC(dc);
}
