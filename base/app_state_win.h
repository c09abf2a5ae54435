#pragma once
#include <windows.h>

// Window handles and GDI objects of the running bar. AppState owns the fonts, the brush
// and the skin's memory DC (with the skin bitmap selected into it); the main window owns
// the menus.
struct AppState {
  HWND mainWindow;
  HWND commandEdit;
  WNDPROC commandEditBaseProc;
  HMENU menuResource;
  HMENU popupMenu;
  RECT workArea;
  HDC skinDC;
  // Looked up at run time: where the system lacks it the bar stays opaque.
  decltype(&SetLayeredWindowAttributes) setLayeredAttributes;
  HFONT editFontHandle;
  HFONT countdownFont;
  HBRUSH editBackBrush;
  POINT dragOffset;
  // The countdown's warning while it is open.
  HWND warningDialog;
  // Broadcast by the shell when it has (re)started; registered with the bar's creation.
  UINT taskbarCreatedMessage;
  // The id under which the bar holds its global hot key, and whether it holds one.
  int hotKeyId;
  bool hotKeyHeld;
  // Windows' high-contrast mode is on: the bar draws in the system's colours.
  bool highContrast;
};

extern AppState appState;

constexpr char MAIN_WINDOW_CLASS[] = "parentwindow";
constexpr char MAIN_WINDOW_TITLE[] = "Pellomar";

// Sent to the main window before the program itself asks Windows to end the session: a
// forced end closes the program without WM_ENDSESSION, so its files are saved first.
const UINT WM_SAVE_FILES = WM_USER + 103;
