#pragma once
#include <windows.h>

// Dialogs of the program's resources with the themed common controls of the manifest
// that the resources keep apart for them: the bar itself never loads those controls.

// A modal dialog; parameter reaches its WM_INITDIALOG. Returns its result.
INT_PTR ShowThemedDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter = 0);

// A modeless dialog; returns its window.
HWND CreateThemedDialog(int templateId, HWND owner, DLGPROC procedure);
