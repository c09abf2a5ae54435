#include "command/command_sources_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/code_page_win.h"
#include "command/entered_line.h"

namespace {

// Where the name is no variable, ExpandEnvironmentStringsA leaves "%name%" as it is.
std::optional<std::string> EnvironmentVariable(std::string_view name) {
  const std::string reference = '%' + std::string(name) + '%';
  const DWORD size = ExpandEnvironmentStringsA(reference.c_str(), NULL, 0);
  if (size == 0) return std::nullopt;
  // The ANSI function may want a byte more than it counts.
  std::string value(size + 1, '\0');
  ExpandEnvironmentStringsA(reference.c_str(), &value[0], size + 1);
  value.resize(std::strlen(value.c_str()));
  if (value == reference) return std::nullopt;
  return value;
}

// The first line of the clipboard's text, cut as a typed line is. Empty where there is
// no text, or where another program holds the clipboard open just then.
std::string ClipboardText() {
  std::wstring line;
  if (!OpenClipboard(NULL)) return std::string();
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      // No further than the memory holds, whatever the text's end; a typed line's length in
      // characters gives at least as many bytes.
      const size_t most = std::min<size_t>(GlobalSize(data) / sizeof(wchar_t), MAX_LINE_LENGTH);
      size_t length = 0;
      while (length < most && text[length] != L'\0' && text[length] != L'\r' && text[length] != L'\n') ++length;
      line.assign(text, length);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  std::string ansi = WideToAnsi(line);
  ansi.resize(TextCutLength(ansi, MAX_LINE_LENGTH));
  return ansi;
}

}  // namespace

const CommandSources SYSTEM_COMMAND_SOURCES = {EnvironmentVariable, ClipboardText};
