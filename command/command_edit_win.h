#pragma once
#include <windows.h>

#include <string>

// Sent by the bar to give the command box the keyboard focus with its line selected.
const UINT WM_ACTIVATE_COMMAND_EDIT = WM_USER + 102;

// The first click into the box after it lost the focus selects the whole line.
extern bool selectAllOnNextClick;

// The command box's procedure in place of the edit control's: a Unicode window procedure
// (its characters arrive as UTF-16).
LRESULT CALLBACK CommandEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The box's whole text, in the program's code page; the box takes more than a line that
// runs.
std::string CommandBoxText(HWND box);
