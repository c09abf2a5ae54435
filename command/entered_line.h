#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "command/key_command.h"

// The longest line the box runs, in bytes; the rest of a longer line is cut.
constexpr size_t MAX_LINE_LENGTH = 127;

enum class LineAction {
  PassOn,         // nothing matched: the key press goes on to the edit control
  Launch,         // hand command and parameters to the shell
  SystemCommand,  // "sys": log off, restart or power off, as command says
  Countdown,      // "sysoff": count down to power-off, command being the duration
  Refused,        // a key word's value cannot reach its batch file safely: named is the key word
};

struct LinePlan {
  LineAction action = LineAction::PassOn;
  bool minimizeFirst = false;  // hide the bar before the launch
  std::string command;         // a launch's escaped for the shell
  std::string parameters;
  std::string named;             // what a launch opens as the user's line or entry names it, unescaped
  bool asAdministrator = false;  // a launch with the verb "runas"
};

// Whether a key word is one of the reserved words "w", "x", "sys" and "sysoff", which are
// tried before every key word of the store.
bool IsReservedWord(std::string_view key);

// What a line typed into the bar asks for, tried in a fixed order: the reserved words
// "w", "x", "sys" and "sysoff", then the key words (built-in first, then the user's),
// then the default web search with the whole line. Reads appSettings and keyEntryStore;
// a key word's texts may take from the sources. As administrator (Ctrl+Shift+Enter), a
// program file or a shortcut named by its path starts so, and a bare name as the
// program it stands for on the system's search path, whose full path the command is
// then; anything else opens as with Enter.
LinePlan PlanEnteredLine(std::string_view line, const CommandSources& sources, bool asAdministrator);
