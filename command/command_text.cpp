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

std::string FileExtension(std::string_view file) {
  // A colon anywhere but after a drive letter ends a scheme: "https:", "mailto:".
  const size_t colon = file.find(':');
  if (colon != std::string_view::npos && colon != 1) return std::string();
  std::string_view name = file.substr(file.find_last_of("\\/") + 1);  // all of a bare name
  name = name.substr(0, name.find_last_not_of(' ') + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::string();
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::string_view BareName(std::string_view file) {
  if (file.find_first_of("\\/:") != std::string_view::npos) return std::string_view();
  return file.substr(0, file.find_last_not_of(' ') + 1);
}

bool NamesBatchFile(std::string_view file) {
  const std::string extension = FileExtension(file);
  return extension == "bat" || extension == "cmd";
}

bool CanElevate(std::string_view file) {
  const std::string extension = FileExtension(file);
  return extension == "exe" || extension == "com" || extension == "bat" || extension == "cmd" || extension == "msc" ||
         extension == "lnk";
}
