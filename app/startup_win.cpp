#include "app/startup_win.h"

#include <optional>
#include <string>

#include "app/bar_geometry.h"
#include "app/main_window_win.h"
#include "base/app_state_win.h"
#include "base/dpi_win.h"
#include "base/skin_win.h"
#include "base/system_library_win.h"
#include "resources/resource.h"
#include "settings/hot_key_win.h"
#include "settings/settings_win.h"

#if !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48, "the 32-bit class record is 48 bytes");
#endif

namespace {

// WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, and 0x80, a class-specific bit that this class
// leaves unused.
const DWORD MAIN_WINDOW_STYLE = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | 0x80;

const char HOT_KEY_TAKEN_CAPTION[] = "Pellomar";
const char HOT_KEY_TAKEN_TEXT[] = "Another program uses %s, so Pellomar cannot bring the bar forward with it.";
const char HOT_KEY_COPY_TEXT[] = "Another copy of Pellomar uses %s, so this one cannot bring its bar forward with it.";
const char OTHER_COPY_TEXT[] = " The other copy runs from ";
const char HOT_KEY_ADVICE_TEXT[] = "\n\nTo choose another hot key, right-click the bar and choose Options.";

POINT VisibleTopLeft(ScreenPoint stored, UINT dpi) {
  const ScreenRect bar = BarRectAt(stored, dpi);
  RECT barRect = {bar.left, bar.top, bar.right, bar.bottom};
  if (MonitorFromRect(&barRect, MONITOR_DEFAULTTONULL)) return {stored.x, stored.y};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromRect(&barRect, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  const ScreenPoint moved = MoveBarIntoArea(stored, {area.left, area.top, area.right, area.bottom}, dpi);
  return {moved.x, moved.y};
}

void TellHotKeyTaken() {
  const HotKey key = HotKeyOf(appSettings);
  const std::optional<std::string> copy = CopyHoldingHotKey(key);
  std::string text = copy ? HOT_KEY_COPY_TEXT : HOT_KEY_TAKEN_TEXT;
  text.replace(text.find("%s"), 2, HotKeyText(key));
  // The other copy's program, unless it runs as administrator, which hides it.
  if (copy && !copy->empty()) text += OTHER_COPY_TEXT + *copy + ".";
  text += HOT_KEY_ADVICE_TEXT;
  MessageBoxA(appState.mainWindow, text.c_str(), HOT_KEY_TAKEN_CAPTION, MB_ICONWARNING);
}

HBITMAP LoadBitmapFile(const char* path) {
  return static_cast<HBITMAP>(LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

}  // namespace

void RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
  windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
  windowClass.lpszClassName = MAIN_WINDOW_CLASS;
  RegisterClassExA(&windowClass);
}

void CreateAppGdiObjects() {
  appState.editBackBrush = CreateSolidBrush(appSettings.backColor);
}

HWND CreateMainWindow(HINSTANCE instance) {
  // Without "Save last position" the bar starts in the screen's top-left corner.
  const ScreenPoint stored =
      appSettings.saveLastPosition ? ScreenPoint{appSettings.windowLeft, appSettings.windowTop} : ScreenPoint{0, 0};
  // Made at the system's scale, the bar takes its monitor's as it is created.
  const BarLayout bar = BarLayoutAt(SystemDpi());
  const POINT topLeft = VisibleTopLeft(stored, bar.dpi);
  appState.mainWindow =
      CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, MAIN_WINDOW_STYLE,
                      topLeft.x, topLeft.y, bar.width, bar.height, NULL, NULL, instance, NULL);
  return appState.mainWindow;
}

HBITMAP LoadSkinBitmap() {
  const HBITMAP skin = LoadBitmapFile(appSettings.skinPath);
  return skin ? skin : LoadBitmapFile(DEFAULT_SKIN_FILE);
}

void MakeMainWindowLayered() {
  const HWND window = appState.mainWindow;
  SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  appState.setLayeredAttributes =
      FunctionOf<decltype(SetLayeredWindowAttributes)>(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes");
  // A window made layered shows nothing until it is given its opacity.
  appState.translucencyApplied = false;
  ApplyTranslucency(appSettings.translucencyActive);
}

void ShowMainWindow(int showCommand) {
  if (appSettings.minimizedToTray) {
    // Hiding sets the flag again once the icon is in the notification area. Without one
    // to come back from, or without the hot key to fetch it, the bar shows instead.
    appSettings.minimizedToTray = false;
    if (appState.hotKeyHeld) SendMessageA(appState.mainWindow, WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
    if (appSettings.minimizedToTray) return;
  }
  UpdateWindow(appState.mainWindow);
  ShowWindow(appState.mainWindow, showCommand);
  if (!appState.hotKeyHeld) TellHotKeyTaken();
  SetFocus(appState.commandEdit);
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    // The countdown's warning, the one window without a dialog loop of its own, takes its
    // keys as a dialog does.
    if (appState.warningDialog && IsDialogMessageA(appState.warningDialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    // Give up the rest of the time slice, so that a burst of messages never starves
    // the program the user is working in.
    Sleep(0);
  }
  return static_cast<int>(message.wParam);
}

void ReleaseAppGdiObjects() {
  DeleteObject(appState.editBackBrush);
  DeleteObject(appState.countdownFont);
  DeleteObject(appState.editFontHandle);
  ReleaseSkin();
}
