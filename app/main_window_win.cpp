#include "app/main_window_win.h"

#include <windowsx.h>

#include "about/about_win.h"
#include "app/bar_geometry.h"
#include "app/bar_scale_win.h"
#include "app/result_list_win.h"
#include "app/running_copy_win.h"
#include "app/tray_win.h"
#include "app/user_files_win.h"
#include "base/app_state_win.h"
#include "base/dpi_win.h"
#include "base/high_contrast_win.h"
#include "catalog/catalog_worker_win.h"
#include "catalog/program_catalog_win.h"
#include "command/command_edit_win.h"
#include "command/command_results_win.h"
#include "command/folder_listing_win.h"
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

// The command box's name for screen readers.
const char COMMAND_BOX_NAME[] = "Pellomar command";

void MainWindowOnCreate(HWND hwnd, const CREATESTRUCTA& creation) {
  const HINSTANCE instance = GetModuleHandleA(NULL);
  // Screen readers name an edit control by the static just before it, which is hidden
  // here: the bar's look has no words. Rather than annotating the name through the
  // accessibility library, which would have to be loaded, this costs nothing at all.
  CreateWindowExA(0, "STATIC", COMMAND_BOX_NAME, WS_CHILD, 0, 0, 0, 0, hwnd, NULL, instance, NULL);
  // A Unicode control, so that its caret counts characters on every system (an ANSI one
  // counts bytes on Windows, characters under Wine); its text is read in the program's
  // code page all the same. Placed, and given its font, as the bar is scaled.
  appState.commandEdit = CreateWindowExW(0, L"EDIT", NULL, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0,
                                         0, hwnd, reinterpret_cast<HMENU>(INT_PTR{COMMAND_EDIT_ID}), instance, NULL);
  appState.menuResource = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_POPUP_MENU));
  appState.popupMenu = GetSubMenu(appState.menuResource, 0);
  // The monitor the bar is made on may have another scale than the system's.
  ScaleBar(DpiOfWindow(hwnd));
  const BarLayout& bar = appState.barLayout;
  if (creation.cx != bar.width || creation.cy != bar.height)
    SetWindowPos(hwnd, NULL, 0, 0, bar.width, bar.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  appState.commandEditBaseProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(appState.commandEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CommandEditProc)));
  ReadWorkArea();
  appState.highContrast = highContrastOn();
  RegisterBarHotKey(hwnd);
  MarkRunningCopy(hwnd);
  appState.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
}

POINT BarTopLeft(HWND hwnd) {
  RECT window;
  GetWindowRect(hwnd, &window);
  return {window.left, window.top};
}

void MainWindowOnDestroy(HWND hwnd) {
  // First of all: a copy started from now on must not hand over to a bar that is going.
  UnmarkRunningCopy(hwnd);
  StopFindingPrograms();
  StopListingFolders();
  DestroyResults();
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
  if (appState.highContrast) {
    // A flat face, framed, in place of the skin.
    RECT face;
    GetClientRect(hwnd, &face);
    FillRect(dc, &face, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWTEXT));
  } else {
    BitBlt(dc, 0, 0, appState.barLayout.width, appState.barLayout.height, appState.skinDC, 0, 0, SRCCOPY);
  }
  EndPaint(hwnd, &paint);
}

LRESULT MainWindowOnEditColors(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  if (appState.highContrast) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  SetTextColor(dc, appSettings.fontColor);
  return reinterpret_cast<LRESULT>(appState.editBackBrush);
}

// Posted to the bar when the keyboard focus has come to it or left it.
const UINT WM_FOLLOW_FOCUS = WM_USER + 109;

bool BarHasFocus(HWND hwnd) {
  const HWND focus = GetFocus();
  return focus == hwnd || focus == appState.commandEdit;
}

void ApplyFocusTranslucency(HWND hwnd) {
  ApplyTranslucency(BarHasFocus(hwnd) ? appSettings.translucencyActive : appSettings.translucencyInactive);
}

// The bar's opacity and its list follow the keyboard focus once the focus has settled: a
// focus that only moves between the skin and the box (as at every activation) changes
// nothing, and a bar that is being closed is not made over on its way out.
void FollowFocusLater(HWND hwnd) {
  if (!appState.focusFollowPending) appState.focusFollowPending = PostMessageA(hwnd, WM_FOLLOW_FOCUS, 0, 0) != FALSE;
}

void FollowFocus(HWND hwnd) {
  appState.focusFollowPending = false;
  ApplyFocusTranslucency(hwnd);
  // The list stays over other windows only while the bar has the keyboard.
  BarHasFocus(hwnd) ? ShowResults() : HideResults();
}

// High contrast switched on or off, or the system's colours changed: the bar takes the
// colours and the opacity that apply now. Nothing of it is stored.
void FollowHighContrast(HWND hwnd) {
  appState.highContrast = highContrastOn();
  ApplyFocusTranslucency(hwnd);
  RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
  ShowResults();
  RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// "Find programs by name" switched on or off in Options: the catalog is kept fresh from
// now on, or let go with its list.
void FollowFindingPrograms(HWND hwnd) {
  if (appSettings.findPrograms) {
    StartFindingPrograms(hwnd);
  } else {
    StopFindingPrograms();
    TakeCatalog(new Catalog());
  }
  RefreshResults(appState.commandEdit);
  ShowResults();
}

// A new catalog from the worker: the list's rows are made anew from it, at once.
void MainWindowOnCatalog(LPARAM posted) {
  ForgetResultIcons();
  TakeCatalog(reinterpret_cast<Catalog*>(posted));
  RefreshResults(appState.commandEdit);
  ShowResults();
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
      const bool remembered = appSettings.rememberTypedLines, finding = appSettings.findPrograms;
      ShowOptionsDialog(hwnd);
      // Unchecking "Remember typed lines" forgets them at once, their file too.
      if (remembered && !appSettings.rememberTypedLines) ForgetTypedLines(hwnd);
      if (finding != appSettings.findPrograms) FollowFindingPrograms(hwnd);
      break;
    }
    case COMMAND_EDIT_ID:
      // The list under the bar follows the line at every change, before the next key.
      if (HIWORD(wParam) != EN_CHANGE) break;
      RefreshResults(appState.commandEdit);
      ShowResults();
      break;
    case IDM_HELP:
      OpenHelpFile(hwnd);
      break;
    case IDM_ABOUT:
      ShowAboutDialog(hwnd);
      break;
  }
}

// What the screen tells the bar: its work area, its colours, its scale, where the cursor
// is on it. True, with the result, for a message handled here.
bool MainWindowOnScreenChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) ReadWorkArea();
      if (wParam == SPI_SETHIGHCONTRAST) FollowHighContrast(hwnd);
      return false;
    case WM_SYSCOLORCHANGE:
      FollowHighContrast(hwnd);
      return true;
    case WM_DISPLAYCHANGE:
      ReadWorkArea();
      return true;
    case WM_GETDPISCALEDSIZE: {
      // The bar's size at the coming scale is its size at 96 dpi scaled, not its present one.
      const BarLayout bar = BarLayoutAt(static_cast<UINT>(wParam));
      *reinterpret_cast<SIZE*>(lParam) = {bar.width, bar.height};
      result = TRUE;
      return true;
    }
    case WM_DPICHANGED:
      MainWindowOnDpiChanged(hwnd, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return true;
    case WM_NCHITTEST:
      // Every point of the skin is a handle to drag the bar by.
      result = DefWindowProcA(hwnd, message, wParam, lParam);
      if (result == HTCLIENT) result = HTCAPTION;
      return true;
  }
  return false;
}

// The hot key, or a copy started on the same files, fetches the bar from anywhere, ready
// for a new line (bringing it back from the notification area already activates the
// command box), or the dialog open over it, which waits for the user first.
void BringBarForward(HWND hwnd) {
  if (!IsWindowEnabled(hwnd))
    SetForegroundWindow(GetLastActivePopup(hwnd));
  else if (appSettings.minimizedToTray)
    SendMessageA(hwnd, WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  else
    SendMessageA(appState.commandEdit, WM_ACTIVATE_COMMAND_EDIT, 0, 0);
}

}  // namespace

void ApplyTranslucency(int32_t percent) {
  // High contrast is for eyes that need every pixel: nothing shows through.
  if (appState.highContrast) percent = 100;
  const BYTE alpha = AlphaFromPercent(percent);
  if (!appState.setLayeredAttributes || (appState.translucencyApplied && alpha == appState.appliedAlpha)) return;
  appState.translucencyApplied = appState.setLayeredAttributes(appState.mainWindow, 0, alpha, LWA_ALPHA) != FALSE;
  appState.appliedAlpha = alpha;
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
    case WM_BRING_FORWARD:
      BringBarForward(hwnd);
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
    case WM_CONTEXTMENU:
      // Shift+F10 or the Apps key, on the bar or in its command box.
      ShowPopupMenuAtCommandBox();
      return 0;
    case WM_TIMER:
      if (wParam == COUNTDOWN_TIMER_ID) CountdownTick();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FollowFocusLater(hwnd);
      return 0;
    case WM_FOLLOW_FOCUS:
      FollowFocus(hwnd);
      return 0;
    case WM_RESULTS_CHANGED:
    case WM_MOVE:
      ShowResults();
      return 0;
    case WM_CATALOG_READY:
      MainWindowOnCatalog(lParam);
      return 0;
    case WM_FOLDER_LISTED:
      if (!TakeFolderListing(reinterpret_cast<FolderListing*>(lParam))) return 0;
      RefreshResults(appState.commandEdit);
      ShowResults();
      return 0;
    case WM_PAINT:
      MainWindowOnPaint(hwnd);
      return 0;
    case WM_EDIT_FONT_CHOSEN:
      RemakeEditFont(appState.barLayout.dpi);
      InvalidateRect(appState.commandEdit, NULL, TRUE);
      return 0;
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCAPTION) MainWindowOnCaptionPress(hwnd, lParam);
      break;
    case WM_MOVING:
      MainWindowOnMoving(reinterpret_cast<RECT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
      return MainWindowOnEditColors(reinterpret_cast<HDC>(wParam));
  }
  if (message == appState.taskbarCreatedMessage && message != 0) RestoreTrayIcon();
  LRESULT result;
  if (MainWindowOnScreenChange(hwnd, message, wParam, lParam, result)) return result;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
