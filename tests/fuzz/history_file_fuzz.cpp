// Feeds arbitrary bytes to the history reader as "history.txt": it must never read past
// the data, must keep at most MAX_HISTORY_LINES lines that the box could have run, and
// what it keeps must survive a save and a second load unchanged.
#include "command/entered_line.h"
#include "command/history_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TypedLineHistory loaded = DecodeHistory({reinterpret_cast<const char*>(data), size});
  const std::vector<std::string>& lines = loaded.Lines();
  if (lines.size() > MAX_HISTORY_LINES) __builtin_trap();
  for (const std::string& line : lines)
    if (line.empty() || line.size() > MAX_LINE_LENGTH) __builtin_trap();

  const std::string saved = EncodeHistory(loaded);
  if (DecodeHistory(saved).Lines() != lines) __builtin_trap();
  return 0;
}
