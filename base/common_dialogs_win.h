#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "base/file_io_win.h"

// The system's file, font and colour choosers. Their library loads at the first use, so
// that start-up does not pay for it. Each returns FALSE when nothing was chosen; where the
// chooser could not be shown or failed (its library missing, a name too long for the
// buffer), the user has been told so over the request's owner.

// A request for the file chooser in its classic form, which every Windows takes: the
// owner, a filter (pairs of a description and a pattern; null for none) and the buffer
// that receives the chosen path.
OPENFILENAMEA FileChooserRequest(HWND owner, const char* filter, char* path, DWORD capacity);

BOOL ChooseFileToOpen(OPENFILENAMEA* request);
BOOL ChooseFileToSave(OPENFILENAMEA* request);
BOOL ChooseFontFor(CHOOSEFONTA* request);
BOOL ChooseColorFor(CHOOSECOLORA* request);
