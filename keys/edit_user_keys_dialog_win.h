#pragma once
#include <windows.h>

// The Edit User Keys dialog: every change goes into keyEntryStore at once; entries
// removed here are erased when it closes.
INT_PTR CALLBACK EditUserKeysDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
