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

// Calls entry(key, value) for each "key=value" line of the section, in the file's order;
// comments (";") and lines without "=" are passed over.
template <typename Entry>
void ForEachEntry(std::string_view text, std::string_view section, Entry entry) {
  bool inSection = false;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      inSection = line.back() == ']' && SameNoCase(Trimmed(line.substr(1, line.size() - 2)), section);
      continue;
    }
    const size_t equals = line.find('=');
    if (inSection && equals != std::string_view::npos && equals > 0)
      entry(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
  }
}

}  // namespace

std::optional<std::string> ParseUrlShortcut(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy) {
  if (size > MAX_SHELL_INI_SIZE) return std::nullopt;
  std::optional<std::string> url;
  ForEachEntry(IniText(data, size, convertLegacy), "InternetShortcut", [&](std::string_view key, std::string_view value) {
    if (!url && SameNoCase(key, "URL") && !value.empty()) url = std::string(value);
  });
  return url;
}

std::vector<LocalizedName> ParseLocalizedFileNames(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy) {
  std::vector<LocalizedName> names;
  if (size > MAX_SHELL_INI_SIZE) return names;
  ForEachEntry(IniText(data, size, convertLegacy), "LocalizedFileNames",
               [&](std::string_view key, std::string_view value) {
                 if (!value.empty()) names.push_back({std::string(key), std::string(value)});
               });
  return names;
}
