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

// Whether the shell starts a program for this name (a program file, or a bare name it
// finds along the path), rather than opening a document, a folder or a web address.
bool NamesProgram(std::string_view file);
