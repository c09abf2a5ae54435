#pragma once
#include <string>
#include <string_view>

// A typed line's key word and the parameters after it; both views into the line.
struct SplitLine {
  std::string_view key;
  std::string_view parameters;
};

// The key word is the first run of non-blanks after leading blanks; the parameters are
// the rest after the blanks that follow it, trailing blanks included. Only the space
// counts as a blank: a tab is an ordinary character.
SplitLine SplitCommandLine(std::string_view line);

// Escapes a command text for the shell: '"' becomes \", '+' becomes %2b and '\' is
// doubled; nothing else changes.
void EscapeCommandText(std::string& text);

// The extension of a file named by its path or a bare name, in lower case and without
// its dot; empty where there is none, and for a web address or another scheme.
std::string FileExtension(std::string_view file);

// A file named without a folder or a drive ("regedit", "tool.exe"), which the shell
// looks up: the name without trailing blanks; empty for any other.
std::string_view BareName(std::string_view file);

// A batch file, which cmd.exe runs: .bat or .cmd.
bool NamesBatchFile(std::string_view file);

// A file that Ctrl+Shift+Enter may start as administrator: a program (.exe, .com, .bat,
// .cmd, .msc) or a shortcut (.lnk), which may point to one.
bool CanElevate(std::string_view file);
