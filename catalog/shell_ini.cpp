#include "catalog/shell_ini.h"

#include <algorithm>
#include <string_view>

namespace {

std::string IniText(const uint8_t* data, size_t size, LegacyTextConverter convert) {
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return Utf16LeText(data + 2, (size - 2) / 2);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  return AnsiText(bytes, convert);
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameNoCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The "key=value" lines of one section of a file's text, one by one; comments (";") and
// lines without "=" are passed over.
struct IniSection {
  std::string text;
  std::string_view name;
  size_t at = 0;
  bool inside = false;

  bool Next(std::string_view& key, std::string_view& value) {
    while (at < text.size()) {
      const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
      const std::string_view line = Trimmed(std::string_view(text).substr(at, end - at));
      at = end + 1;
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        inside = line.back() == ']' && SameNoCase(Trimmed(line.substr(1, line.size() - 2)), name);
        continue;
      }
      const size_t equals = line.find('=');
      if (!inside || equals == std::string_view::npos || equals == 0) continue;
      key = Trimmed(line.substr(0, equals));
      value = Trimmed(line.substr(equals + 1));
      return true;
    }
    return false;
  }
};

}  // namespace

std::optional<std::string> ParseUrlShortcut(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy) {
  if (size > MAX_SHELL_INI_SIZE) return std::nullopt;
  IniSection section = {IniText(data, size, convertLegacy), "InternetShortcut"};
  for (std::string_view key, value; section.Next(key, value);)
    if (SameNoCase(key, "URL") && !value.empty()) return std::string(value);
  return std::nullopt;
}

std::vector<LocalizedName> ParseLocalizedFileNames(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy) {
  std::vector<LocalizedName> names;
  if (size > MAX_SHELL_INI_SIZE) return names;
  IniSection section = {IniText(data, size, convertLegacy), "LocalizedFileNames"};
  for (std::string_view key, value; section.Next(key, value);)
    if (!value.empty()) names.push_back({std::string(key), std::string(value)});
  return names;
}
