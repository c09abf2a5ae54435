#include "command/command_text.h"

#include <algorithm>
#include <cctype>

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

bool IsWebAddress(std::string_view command) {
  return StartsWithIgnoringCase(command, "http://") || StartsWithIgnoringCase(command, "https://");
}

// In a web address '&' would end the query parameter and '#' would start the fragment,
// cutting a search for "AT&T" or "C#" short.
std::string EncodeForWebAddress(std::string_view parameters) {
  std::string encoded;
  encoded.reserve(parameters.size());
  for (const char c : parameters) {
    if (c == '&')
      encoded += "%26";
    else if (c == '#')
      encoded += "%23";
    else
      encoded += c;
  }
  return encoded;
}

// Every occurrence of from, left to right, never looking into text it has just put in.
void ReplaceAll(std::string& text, const KeyReplacement& pair) {
  // An empty from would match everywhere and never end; only a hand-made file holds one.
  if (pair.from.empty()) return;
  for (size_t position = 0; position < text.size();) {
    const size_t found = text.find(pair.from, position);
    if (found == std::string::npos) return;
    text.replace(found, pair.from.size(), pair.to);
    position = found + pair.to.size();
  }
}

}  // namespace

SplitLine SplitCommandLine(std::string_view line) {
  const size_t keyStart = line.find_first_not_of(' ');
  if (keyStart == std::string_view::npos) return {};
  const size_t keyEnd = std::min(line.find(' ', keyStart), line.size());
  const size_t parametersStart = std::min(line.find_first_not_of(' ', keyEnd), line.size());
  return {line.substr(keyStart, keyEnd - keyStart), line.substr(parametersStart)};
}

std::string ExpandKeyCommand(const KeyEntry& entry, std::string_view parameters) {
  std::string command = entry.command;
  const size_t slot = command.find("%s");
  if (slot != std::string::npos) {
    if (IsWebAddress(command))
      command.replace(slot, 2, EncodeForWebAddress(parameters));
    else
      command.replace(slot, 2, parameters);
  }
  for (const KeyReplacement& pair : entry.replacements) ReplaceAll(command, pair);
  return command;
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
