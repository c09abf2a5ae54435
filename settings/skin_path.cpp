#include "settings/skin_path.h"

#include <cctype>

namespace {

bool SameIgnoringCase(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::optional<std::string> PathBelowFolder(std::string_view path, std::string_view folder) {
  if (folder.empty() || path.size() <= folder.size()) return std::nullopt;
  for (size_t i = 0; i < folder.size(); ++i)
    if (!SameIgnoringCase(path[i], folder[i])) return std::nullopt;
  return std::string(path.substr(folder.size()));
}
