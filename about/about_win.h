#pragma once
#include <windows.h>

constexpr char HELP_FILE[] = "pellomarhelp.chm";

// Opens the help file beside the executable in the system's help viewer.
void OpenHelpFile(HWND owner);

// The About box, modal over owner: the product's name and version.
void ShowAboutDialog(HWND owner);
