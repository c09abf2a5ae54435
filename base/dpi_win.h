#pragma once
#include <windows.h>

// The system's scale, in dots per inch: that of the primary monitor when the user logged
// on. The font chooser reckons points at this scale.
UINT SystemDpi();

// The scale of the monitor the window is on.
UINT DpiOfWindow(HWND window);
