// Feeds arbitrary bytes to the readers of Internet shortcuts and desktop.ini: they must
// never read past the data, and what they find is never empty.
#include "catalog/shell_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<std::string> url = ParseUrlShortcut(data, size);
  if (url && url->empty()) __builtin_trap();
  for (const LocalizedName& name : ParseLocalizedFileNames(data, size))
    if (name.fileName.empty() || name.name.empty()) __builtin_trap();
  return 0;
}
