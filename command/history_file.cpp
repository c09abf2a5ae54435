#include "command/history_file.h"

#include <algorithm>

std::string EncodeHistory(const TypedLineHistory& history) {
  std::string file;
  const std::vector<std::string>& lines = history.Lines();
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) file.append(*line).append("\r\n");
  return file;
}

TypedLineHistory DecodeHistory(std::string_view text, LineFromFile convert) {
  TypedLineHistory history;
  if (text.find('\0') != std::string_view::npos) return history;
  std::string line;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    line.assign(text.substr(start, end - start));
    if (convert) convert(line);
    history.Remember(line);
    start = end + 1;
  }
  return history;
}
