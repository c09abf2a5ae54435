#include "command/history_file.h"

#include <algorithm>
#include <string_view>

std::string EncodeHistory(const TypedLineHistory& history) {
  std::string file;
  const std::vector<std::string>& lines = history.Lines();
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) file.append(*line).append("\r\n");
  return file;
}

TypedLineHistory DecodeHistory(const uint8_t* data, size_t size) {
  TypedLineHistory history;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (text.find('\0') != std::string_view::npos) return history;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    history.Remember(text.substr(start, end - start));
    start = end + 1;
  }
  return history;
}
