#pragma once
#include <windows.h>

// The steps of start-up and shutdown, in the order the program takes them.

void RegisterMainWindowClass(HINSTANCE instance);

// The command box's background brush; the fonts are made with the bar, at its scale.
void CreateAppGdiObjects();

// The main window, hidden, at the stored position (or the screen's corner when the user
// does not keep it), moved onto the nearest monitor's work area when no monitor shows
// that position any more. Null when it cannot be created.
HWND CreateMainWindow(HINSTANCE instance);

// The skin from the settings, or the default skin when that one cannot be loaded.
HBITMAP LoadSkinBitmap();

void MakeMainWindowLayered();

// Shows the bar with the focus in its command box, or hides it to the notification area
// when it was hidden there at the last exit. When its hot key could not be registered,
// the bar shows in any case and says so.
void ShowMainWindow(int showCommand);

// Returns the exit code that ended the loop.
int RunMessageLoop();

void ReleaseAppGdiObjects();
