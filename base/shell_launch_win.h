#pragma once
#include <windows.h>

#include <string>

// Opens a program, document or address through the shell with the verb: "open", or
// "runas" to start a program as administrator. ERROR_SUCCESS; ERROR_CANCELLED where the
// user said no at the elevation prompt; or the system error that stands for the shell's
// reason.
DWORD OpenWithShell(HWND owner, const char* verb, const char* file, const char* parameters, int show);

// Tells the user, over the bar, what could not be opened (as the user named it) and why.
void TellNotOpened(const std::string& name, DWORD error);
