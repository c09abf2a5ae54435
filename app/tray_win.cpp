#include "app/tray_win.h"
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>

#include "app/result_list_win.h"
#include "base/app_state_win.h"
#include "base/system_library_win.h"
#include "command/command_edit_win.h"
#include "resources/resource.h"
#include "settings/app_settings.h"

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first form of the icon record is 88 bytes on 32-bit Windows");
#endif

namespace {

const char TRAY_TIP[] = "Pellomar";

// The taskbar's notification area, or the taskbar itself where it has no separate one
// (as under Wine); null without a taskbar.
HWND FindNotificationArea() {
  const HWND taskbar = FindWindowA("Shell_TrayWnd", NULL);
  if (!taskbar) return NULL;
  const HWND area = FindWindowExA(taskbar, NULL, "TrayNotifyWnd", NULL);
  return area ? area : taskbar;
}

// The shell library loads when the bar first hides, not at start-up.
BOOL NotifyIcon(DWORD action, NOTIFYICONDATAA* icon) {
  static const auto shellNotifyIcon =
      LoadSystemFunction<decltype(Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
  return shellNotifyIcon && shellNotifyIcon(action, icon);
}

void AddTrayIcon() {
  NOTIFYICONDATAA icon = {};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = appState.mainWindow;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_TRAY_CALLBACK;
  // The image of the size the notification area shows at the system's scale; the shell
  // keeps a copy of its own.
  icon.hIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  lstrcpynA(icon.szTip, TRAY_TIP, sizeof icon.szTip);
  NotifyIcon(NIM_ADD, &icon);
  DestroyIcon(icon.hIcon);
}

}  // namespace

void RemoveTrayIcon() {
  NOTIFYICONDATAA icon = {};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = appState.mainWindow;
  NotifyIcon(NIM_DELETE, &icon);
}

void ToggleTray() {
  const HWND area = FindNotificationArea();
  if (!area) return;
  RECT bar, tray;
  GetWindowRect(appState.mainWindow, &bar);
  GetWindowRect(area, &tray);
  if (!appSettings.minimizedToTray) {
    DrawAnimatedRects(appState.mainWindow, IDANI_CAPTION, &bar, &tray);
    AddTrayIcon();
    HideResults();
    ShowWindow(appState.mainWindow, SW_HIDE);
    appSettings.minimizedToTray = true;
  } else {
    DrawAnimatedRects(appState.mainWindow, IDANI_CAPTION, &tray, &bar);
    RemoveTrayIcon();
    ShowWindow(appState.mainWindow, SW_SHOW);
    SetFocus(appState.mainWindow);
    SendMessageA(appState.commandEdit, WM_ACTIVATE_COMMAND_EDIT, 0, 0);
    appSettings.minimizedToTray = false;
  }
}

void RestoreTrayIcon() {
  if (appSettings.minimizedToTray) AddTrayIcon();
}

void HandleTrayCallback(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
      SendMessageA(appState.mainWindow, WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
      break;
    case WM_RBUTTONDOWN: {
      POINT cursor;
      GetCursorPos(&cursor);
      // Without the foreground the menu would not close when the user clicks elsewhere,
      // and without the posted message it would not work a second time.
      SetForegroundWindow(appState.mainWindow);
      ShowPopupMenu(cursor.x, cursor.y);
      PostMessageA(appState.mainWindow, WM_NULL, 0, 0);
      break;
    }
  }
}

void ShowPopupMenu(int x, int y) {
  TrackPopupMenu(appState.popupMenu, TPM_RIGHTBUTTON, x, y, 0, appState.mainWindow, NULL);
}

void ShowPopupMenuAtCommandBox() {
  RECT box;
  GetWindowRect(appState.commandEdit, &box);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(appState.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  // Where the box's corner lies beyond the work area, the menu opens at the area's edge;
  // it never covers the box, going above it where there is no room below.
  const LONG x = std::clamp(box.left, area.left, area.right - 1);
  const LONG y = std::clamp(box.bottom, area.top, area.bottom - 1);
  TPMPARAMS keepClear = {sizeof keepClear, box};
  TrackPopupMenuEx(appState.popupMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, x, y, appState.mainWindow,
                   &keepClear);
}
