#pragma once
#include <windows.h>

// Opens a program, document or address through the shell, with the verb "open". When
// the shell cannot, the user is told what could not be opened and why, over the bar.
// False then.
bool OpenWithShell(HWND owner, const char* file, const char* parameters, int show);
