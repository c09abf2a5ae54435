#pragma once
#include <windows.h>

// The Options dialog, modal over owner: check boxes, numbers and the hot key take effect on
// OK, which a hot key that cannot be had refuses whole; skin, font and colour at once, and
// Cancel keeps them.
void ShowOptionsDialog(HWND owner);
