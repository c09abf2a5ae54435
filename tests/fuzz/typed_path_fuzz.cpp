// Reads arbitrary lines as paths and lists arbitrary names under them: the folder and the
// piece must make up the line, and folding must keep every name's length.
#include <fuzzer/FuzzedDataProvider.h>

#include "command/typed_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string line = input.ConsumeRandomLengthString(256);
  std::vector<PathEntry> entries;
  while (input.remaining_bytes() > 0) {
    PathEntry entry{input.ConsumeRandomLengthString(64), input.ConsumeBool(), input.ConsumeBool()};
    if (FoldBasicCase(entry.name).size() != entry.name.size()) __builtin_trap();
    entries.push_back(std::move(entry));
  }
  const std::optional<TypedPath> path = ParseTypedPath(line);
  if (!path) return 0;
  if (std::string(path->folder) + std::string(path->piece) != line) __builtin_trap();
  for (const PathEntry& entry : MatchPathEntries(path->piece, entries)) CompletedLine(path->folder, entry);
  return 0;
}
