#pragma once
#include <windows.h>

// The Options dialog: check boxes and numbers take effect on OK; skin, font and colour
// at once, and Cancel keeps them.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
