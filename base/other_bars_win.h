#pragma once
#include <windows.h>

// The bar of another running copy of Pellomar that carries mark under the window
// property's name, or null; process receives that copy's process id. A window of the
// bar's class that another program made carries no such property.
HWND FindOtherBar(const char* property, HANDLE mark, DWORD& process);
