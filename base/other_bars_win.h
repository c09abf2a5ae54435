#pragma once
#include <windows.h>

#include <string>

// The bar of another running copy of Pellomar that carries mark under the window
// property's name, or null; process receives that copy's process id. A window of the
// bar's class that another program made carries no such property.
HWND FindOtherBar(const char* property, HANDLE mark, DWORD& process);

// The path of a process's program, or "" where it may not be read (a program running as
// administrator hides it from others).
std::string ProgramOf(DWORD process);
