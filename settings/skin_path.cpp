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

std::optional<std::string> SkinPathToKeep(std::string_view chosen, std::string_view programFolder,
                                          std::string_view shortForm, size_t capacity) {
  const std::string forms[] = {PathBelowFolder(chosen, programFolder).value_or(std::string()), std::string(chosen),
                               std::string(shortForm)};
  for (const std::string& form : forms)
    if (!form.empty() && form.size() < capacity) return form;
  return std::nullopt;
}
