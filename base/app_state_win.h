#pragma once
#include <windows.h>

#include "base/bar_layout.h"

// Window handles and GDI objects of the running bar. AppState owns the fonts, the brush,
// the skin's bitmaps and its memory DC; the main window owns the menus.
struct AppState {
  HWND mainWindow;
  HWND commandEdit;
  WNDPROC commandEditBaseProc;
  HMENU menuResource;
  HMENU popupMenu;
  RECT workArea;
  // The bar's sizes at the scale of its monitor, set as the bar is made.
  BarLayout barLayout;
  // The skin as loaded, and the copy at the bar's scale where that is not 96 dpi; skinDC
  // holds the one the bar paints from.
  HBITMAP skinPicture;
  HBITMAP skinCopy;
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
  // The opacity last given to the bar, once it has one.
  bool translucencyApplied;
  BYTE appliedAlpha;
  // A change of the keyboard focus is yet to be followed.
  bool focusFollowPending;
};

extern AppState appState;

constexpr char MAIN_WINDOW_CLASS[] = "parentwindow";
constexpr char MAIN_WINDOW_TITLE[] = "Pellomar";

// Sent to the main window before the program itself asks Windows to end the session: a
// forced end closes the program without WM_ENDSESSION, so its files are saved first.
const UINT WM_SAVE_FILES = WM_USER + 103;

// Sent to the main window by Options once the user has chosen another font for the
// command box.
const UINT WM_EDIT_FONT_CHOSEN = WM_USER + 105;
