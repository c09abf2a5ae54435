#pragma once
#include <windows.h>

constexpr char HISTORY_FILE[] = "history.txt";

// Fills typedLineHistory from "history.txt" in the data folder. ERROR_SUCCESS also when
// there is none, or it is damaged (the history is empty then); otherwise the reason it
// could not be read.
DWORD LoadTypedLines();

// Writes typedLineHistory to "history.txt" in the data folder while lines are being
// remembered; the old file is replaced only by a complete new one. ERROR_SUCCESS, or the
// reason the new one could not be made.
DWORD SaveTypedLines();

// Empties typedLineHistory and deletes every copy of its file; a copy that cannot go is
// told over owner.
void ForgetTypedLines(HWND owner);
