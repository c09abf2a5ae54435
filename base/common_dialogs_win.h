#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

// The system's file, font and colour choosers. Their library loads at the first use, so
// that start-up does not pay for it; where it cannot load they report a cancel.
// A request for the file chooser in its classic form, which every Windows takes: the
// owner, a filter (pairs of a description and a pattern; null for none) and the buffer
// that receives the chosen path.
OPENFILENAMEA FileChooserRequest(HWND owner, const char* filter, char* path, DWORD capacity);

BOOL ChooseFileToOpen(OPENFILENAMEA* request);
BOOL ChooseFileToSave(OPENFILENAMEA* request);
BOOL ChooseFontFor(CHOOSEFONTA* request);
BOOL ChooseColorFor(CHOOSECOLORA* request);
