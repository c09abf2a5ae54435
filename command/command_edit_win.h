#pragma once
#include <windows.h>

#include <string>

// Sent by the bar to give the command box the keyboard focus with its line selected.
const UINT WM_ACTIVATE_COMMAND_EDIT = WM_USER + 102;

// The first click into the box after it lost the focus selects the whole line.
extern bool selectAllOnNextClick;

// The character that follows a Tab or Esc press which the box has acted on, to be kept
// from the edit control; 0 when none.
extern WPARAM characterToDrop;

LRESULT CALLBACK CommandEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Hands a command to the shell to open, maximized; a failure is reported.
void RunCommand(const std::string& command, const std::string& parameters);
