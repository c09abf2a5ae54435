#pragma once
#include <windows.h>

// The Options dialog, modal over owner: check boxes and numbers take effect on OK; skin,
// font and colour at once, and Cancel keeps them.
void ShowOptionsDialog(HWND owner);
