#pragma once
#include <windows.h>

// The Edit User Keys dialog, modal over owner: every change goes into keyEntryStore at
// once; entries removed there are erased when it closes.
void ShowEditUserKeysDialog(HWND owner);
