#include "command/command_text.h"

#include <algorithm>
#include <cctype>

SplitLine SplitCommandLine(std::string_view line) {
  const size_t keyStart = line.find_first_not_of(' ');
  if (keyStart == std::string_view::npos) return {};
  const size_t keyEnd = std::min(line.find(' ', keyStart), line.size());
  const size_t parametersStart = std::min(line.find_first_not_of(' ', keyEnd), line.size());
  return {line.substr(keyStart, keyEnd - keyStart), line.substr(parametersStart)};
}

void EscapeCommandText(std::string& text) {
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 4);
  for (const char c : text) {
    switch (c) {
      case '"':
        escaped += "\\\"";
        break;
      case '+':
        escaped += "%2b";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      default:
        escaped += c;
    }
  }
  text.swap(escaped);
}

bool NamesProgram(std::string_view file) {
  // A colon anywhere but after a drive letter ends a scheme: "https:", "mailto:".
  const size_t colon = file.find(':');
  if (colon != std::string_view::npos && colon != 1) return false;
  const size_t nameStart = file.find_last_of("\\/") + 1;  // 0 for a bare name
  std::string_view name = file.substr(nameStart);
  name = name.substr(0, name.find_last_not_of(' ') + 1);
  const size_t dot = name.rfind('.');
  // The shell looks a bare name up along the path ("regedit"); a path without an
  // extension is a folder's.
  if (dot == std::string_view::npos) return nameStart == 0 && !name.empty();
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "exe" || extension == "com" || extension == "bat" || extension == "cmd" || extension == "msc";
}
