#pragma once
#include <windows.h>

#include <string_view>

// "sys" with its parameters: "l" logs off, "s" powers off, "r" restarts, "sf" forces a
// power-off, after asking the user where the settings say so; anything else does nothing.
void RunSystemCommand(std::string_view parameters);

// Has the main window save the program's files, then asks Windows to end the session
// with the given exit flags. A power-off that Windows refuses is asked again as a plain
// shutdown.
void ExitSystem(UINT flags);
