#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "keys/key_entry_store.h"

// How cmd.exe reads the command line of a batch file, as the registry sets it up.
struct CommandProcessor {
  bool delayedExpansion = false;  // "!NAME!" expands
  bool extensions = true;         // the command extensions are on
};

// What a key word's texts may take besides the typed line, and what the system tells
// about the program launched; each asked for only where it is needed.
struct CommandSources {
  // The value of the environment variable of that name; none where there is none.
  std::optional<std::string> (*environmentVariable)(std::string_view name);
  // The clipboard's text: its first line, no longer than a typed line; empty for none.
  std::string (*clipboardText)();
  // The full path of the program a bare name (no folder) stands for, looked up in the
  // system folder and then the folders of PATH, never the working folder nor the
  // program's own; empty where there is none.
  std::string (*programOnSearchPath)(std::string_view bareName);
  CommandProcessor (*commandProcessor)();
};

// A key word's command and parameters with the typed line filled in.
struct ExpandedKey {
  std::string command;  // what to open, not yet escaped for the shell
  std::string parameters;
  bool refused = false;  // a value could not be put into the parameters safely
};

// Fills in an entry's command and parameters in one pass over each, so that nothing put
// in is looked at again (typed text and the clipboard's are never expanded):
//   %NAME%       the environment variable's value; a name that is no variable stays
//   %s           in the command, its first one: the typed parameters whole
//   {1} to {9}   the typed words, one by one: blanks separate them, a group in double
//                quotes is one word without its quotes; a missing word is empty
//   {*}          the typed line from the word after the highest numbered one used
//   {clipboard}  the clipboard's text
// A key word that uses {1} to {9} or {*} leaves its %s as written. What goes into a web
// address, command or parameters, is encoded so that it cannot end the query; then the
// entry's replacements apply to the command. In the parameters what is put in through
// a placeholder is escaped for whoever reads them (see filled_text.h): a batch file
// (.bat, .cmd, or a bare name that stands for one), which cmd.exe reads, or a program.
ExpandedKey ExpandKeyCommand(const KeyEntry& entry, std::string_view typed, const CommandSources& sources);
