#pragma once
#include <windows.h>

#include <string>

// Sent by the bar to give the command box the keyboard focus with its line selected.
const UINT WM_ACTIVATE_COMMAND_EDIT = WM_USER + 102;

// The first click into the box after it lost the focus selects the whole line.
extern bool selectAllOnNextClick;

LRESULT CALLBACK CommandEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Hands a command to the shell to open, maximized; a failure is reported.
void RunCommand(const std::string& command, const std::string& parameters);
