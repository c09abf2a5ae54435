// Feeds arbitrary bytes to the shortcut reader as a .lnk file: it must never read past the
// data, whatever sizes and offsets the bytes claim.
#include "catalog/shell_link.h"

namespace {

std::string Marked(std::string_view ansi) {
  return "ansi:" + std::string(ansi);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<ShellLink> link = ParseShellLink(data, size, Marked);
  if (link && link->target.size() > 2 * size + 16) __builtin_trap();
  return 0;
}
