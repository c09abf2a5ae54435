#pragma once
#include <string>
#include <string_view>

// The program keeps its texts as bytes in the system's ANSI code page; files written
// for people to read and edit are UTF-8. Every conversion between the two is here.

std::string AnsiToUtf8(std::string_view ansi);

// False for bytes that are not UTF-8, or for a character the ANSI code page lacks.
bool Utf8ToAnsi(std::string_view utf8, std::string& ansi);
