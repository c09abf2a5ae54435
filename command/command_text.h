#pragma once
#include <string>
#include <string_view>

#include "keys/key_entry_store.h"

// A typed line's key word and the parameters after it; both views into the line.
struct SplitLine {
  std::string_view key;
  std::string_view parameters;
};

// The key word is the first run of non-blanks after leading blanks; the parameters are
// the rest after the blanks that follow it, trailing blanks included. Only the space
// counts as a blank: a tab is an ordinary character.
SplitLine SplitCommandLine(std::string_view line);

// The entry's command with the parameters in place of its first "%s" and the entry's
// replacements applied: what the entry names, before it is escaped for the shell.
std::string ExpandKeyCommand(const KeyEntry& entry, std::string_view parameters);

// Escapes a command text for the shell: '"' becomes \", '+' becomes %2b and '\' is
// doubled; nothing else changes.
void EscapeCommandText(std::string& text);
