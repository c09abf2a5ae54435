#include "app/main_window_win.h"

#include <windowsx.h>

#include "about/about_win.h"
#include "app/bar_geometry.h"
#include "app/bar_scale_win.h"
#include "app/tray_win.h"
#include "app/user_files_win.h"
#include "base/app_state_win.h"
#include "base/dpi_win.h"
#include "command/command_edit_win.h"
#include "command/history_file_win.h"
#include "countdown/countdown.h"
#include "countdown/countdown_win.h"
#include "resources/resource.h"
#include "settings/hot_key_win.h"
#include "settings/options_dialog_win.h"
#include "settings/settings_win.h"

namespace {

void ReadWorkArea() {
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &appState.workArea, 0);
}

void MainWindowOnCreate(HWND hwnd, const CREATESTRUCTA& creation) {
  const HINSTANCE instance = GetModuleHandleA(NULL);
  // Placed, and given its font, as the bar is scaled.
  appState.commandEdit = CreateWindowExA(0, "EDIT", NULL, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0,
                                         0, hwnd, reinterpret_cast<HMENU>(INT_PTR{COMMAND_EDIT_ID}), instance, NULL);
  appState.menuResource = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_POPUP_MENU));
  appState.popupMenu = GetSubMenu(appState.menuResource, 0);
  // The monitor the bar is made on may have another scale than the system's.
  ScaleBar(DpiOfWindow(hwnd));
  const BarLayout& bar = appState.barLayout;
  if (creation.cx != bar.width || creation.cy != bar.height)
    SetWindowPos(hwnd, NULL, 0, 0, bar.width, bar.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  appState.commandEditBaseProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(appState.commandEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CommandEditProc)));
  ReadWorkArea();
  RegisterBarHotKey(hwnd);
  appState.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
}

POINT BarTopLeft(HWND hwnd) {
  RECT window;
  GetWindowRect(hwnd, &window);
  return {window.left, window.top};
}

void MainWindowOnDestroy(HWND hwnd) {
  // The key entries are saved after the message loop has ended.
  SaveSettingsAtExit(BarTopLeft(hwnd));
  UnregisterBarHotKey();
  if (countdownState.running) KillTimer(hwnd, COUNTDOWN_TIMER_ID);
  // The flag stays set, so that the next start comes up hidden too.
  if (appSettings.minimizedToTray) RemoveTrayIcon();
  // Destroying the menu destroys its popup with it.
  DestroyMenu(appState.menuResource);
  PostQuitMessage(0);
}

void MainWindowOnPaint(HWND hwnd) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(hwnd, &paint);
  BitBlt(dc, 0, 0, appState.barLayout.width, appState.barLayout.height, appState.skinDC, 0, 0, SRCCOPY);
  EndPaint(hwnd, &paint);
}

void MainWindowOnCaptionPress(HWND hwnd, LPARAM lParam) {
  RECT window;
  GetWindowRect(hwnd, &window);
  appState.dragOffset.x = GET_X_LPARAM(lParam) - window.left;
  appState.dragOffset.y = GET_Y_LPARAM(lParam) - window.top;
}

// The system's move loop proposes a rectangle; the bar follows the cursor instead, with
// its edges snapped to the screen's.
void MainWindowOnMoving(RECT* proposed) {
  POINT cursor;
  GetCursorPos(&cursor);
  const RECT& area = appState.workArea;
  const BarLayout& bar = appState.barLayout;
  const ScreenPoint topLeft =
      SnapDragPosition({cursor.x, cursor.y}, {appState.dragOffset.x, appState.dragOffset.y}, appSettings.snapStrength,
                       {area.left, area.top, area.right, area.bottom}, bar.dpi);
  SetRect(proposed, topLeft.x, topLeft.y, topLeft.x + bar.width, topLeft.y + bar.height);
}

// The bar is on a monitor of another scale now, or its monitor's scale has changed: it is
// laid out afresh and takes the place Windows suggests, which keeps it under the cursor
// during a drag. Nothing is saved.
void MainWindowOnDpiChanged(HWND hwnd, UINT dpi, const RECT& suggested) {
  // A drag goes on with the cursor over the same point of the skin.
  POINT& grab = appState.dragOffset;
  grab = {ScaleBetweenDpis(grab.x, appState.barLayout.dpi, dpi), ScaleBetweenDpis(grab.y, appState.barLayout.dpi, dpi)};
  ScaleBar(dpi);
  SetWindowPos(hwnd, NULL, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindowOnCommand(HWND hwnd, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDM_EXIT:
      DestroyWindow(hwnd);
      break;
    case IDM_MINIMIZE_RESTORE:
      ToggleTray();
      break;
    case IDM_OPTIONS: {
      const bool remembered = appSettings.rememberTypedLines;
      ShowOptionsDialog(hwnd);
      // Unchecking "Remember typed lines" forgets them at once, their file too.
      if (remembered && !appSettings.rememberTypedLines) ForgetTypedLines();
      break;
    }
    case IDM_HELP:
      OpenHelpFile(hwnd);
      break;
    case IDM_ABOUT:
      ShowAboutDialog(hwnd);
      break;
  }
}

// The hot key fetches the bar from anywhere, ready for a new line; bringing it back from
// the notification area already activates the command box.
void MainWindowOnHotKey(HWND hwnd) {
  if (appSettings.minimizedToTray)
    SendMessageA(hwnd, WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  else
    SendMessageA(appState.commandEdit, WM_ACTIVATE_COMMAND_EDIT, 0, 0);
}

}  // namespace

void ApplyTranslucency(int32_t percent) {
  if (appState.setLayeredAttributes)
    appState.setLayeredAttributes(appState.mainWindow, 0, AlphaFromPercent(percent), LWA_ALPHA);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      MainWindowOnCreate(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return 0;
    case WM_DESTROY:
      MainWindowOnDestroy(hwnd);
      return 0;
    case WM_ENDSESSION:
      // Windows ends the process without destroying the window: save while we can.
      if (wParam) SaveFilesBeforeSessionEnds();
      return 0;
    case WM_SAVE_FILES:
      SaveFilesBeforeSessionEnds();
      return 0;
    case WM_COMMAND:
      MainWindowOnCommand(hwnd, wParam);
      return 0;
    case WM_HOTKEY:
      MainWindowOnHotKey(hwnd);
      return 0;
    case WM_TRAY_CALLBACK:
      HandleTrayCallback(lParam);
      return 0;
    case WM_NCLBUTTONDBLCLK:
      SendMessageA(hwnd, WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
      return 0;
    case WM_NCRBUTTONUP:
      // The bar's own menu, in place of the system menu.
      ShowPopupMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == COUNTDOWN_TIMER_ID) CountdownTick();
      return 0;
    case WM_SETFOCUS:
      ApplyTranslucency(appSettings.translucencyActive);
      return 0;
    case WM_KILLFOCUS:
      ApplyTranslucency(appSettings.translucencyInactive);
      return 0;
    case WM_PAINT:
      MainWindowOnPaint(hwnd);
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam != SPI_SETWORKAREA) break;
      ReadWorkArea();
      return 0;
    case WM_DISPLAYCHANGE:
      ReadWorkArea();
      return 0;
    case WM_GETDPISCALEDSIZE: {
      // The bar's size at the coming scale is its size at 96 dpi scaled, not its present one.
      const BarLayout bar = BarLayoutAt(static_cast<UINT>(wParam));
      *reinterpret_cast<SIZE*>(lParam) = {bar.width, bar.height};
      return TRUE;
    }
    case WM_DPICHANGED:
      MainWindowOnDpiChanged(hwnd, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_NCHITTEST: {
      // Every point of the skin is a handle to drag the bar by.
      const LRESULT hit = DefWindowProcA(hwnd, message, wParam, lParam);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCAPTION) MainWindowOnCaptionPress(hwnd, lParam);
      break;
    case WM_MOVING:
      MainWindowOnMoving(reinterpret_cast<RECT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, appSettings.fontColor);
      return reinterpret_cast<LRESULT>(appState.editBackBrush);
    }
  }
  if (message == appState.taskbarCreatedMessage && message != 0) RestoreTrayIcon();
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
