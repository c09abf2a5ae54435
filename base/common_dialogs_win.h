#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

// The system's file, font and colour choosers. Their library loads at the first use, so
// that start-up does not pay for it; where it cannot load they report a cancel.
BOOL ChooseFileToOpen(OPENFILENAMEA* request);
BOOL ChooseFileToSave(OPENFILENAMEA* request);
BOOL ChooseFontFor(CHOOSEFONTA* request);
BOOL ChooseColorFor(CHOOSECOLORA* request);
