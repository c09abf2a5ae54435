#pragma once
#include <windows.h>

constexpr char HELP_FILE[] = "pellomarhelp.chm";

// Opens the help file beside the executable in the system's help viewer.
void OpenHelpFile(HWND owner);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
