// Fills a key word of arbitrary texts from an arbitrary typed line and clipboard, for a
// program and for a batch file (a bare name of odd length stands for one): nothing may
// be read or written out of bounds, and each stored character may give at most the
// longest text that can go in for it, at ten bytes a byte (a quote in a batch file's web
// address, "%%cd:~,%22").
#include <fuzzer/FuzzedDataProvider.h>

#include "command/entered_line.h"

static std::string clipboard;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string command = input.ConsumeRandomLengthString(MAX_KEY_TEXT_LENGTH);
  const std::string parameters = input.ConsumeRandomLengthString(MAX_KEY_TEXT_LENGTH);
  clipboard = input.ConsumeRandomLengthString(MAX_LINE_LENGTH);
  const std::string typed = input.ConsumeRandomLengthString(MAX_LINE_LENGTH);
  // Every name is a variable, whose value names slots and variables not to be filled in turn.
  const CommandSources sources = {[](std::string_view) { return std::optional<std::string>("%s{1}{*}{clipboard}%A%"); },
                                  [] { return clipboard; },
                                  [](std::string_view name) { return std::string(name.size() % 2 ? "C:\\b.cmd" : ""); },
                                  [] { return CommandProcessor{clipboard.size() % 2 == 1}; }};
  const ExpandedKey expanded = ExpandKeyCommand({"k", command, parameters, 0, false, {}}, typed, sources);
  const size_t most = 10 * MAX_LINE_LENGTH;
  if (expanded.command.size() > command.size() * most || expanded.parameters.size() > parameters.size() * most)
    __builtin_trap();
  return 0;
}
