#include "command/command_sources_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "base/code_page_win.h"
#include "base/exe_folder_win.h"
#include "command/entered_line.h"

namespace {

const char DEFAULT_PROGRAM_EXTENSIONS[] = ".COM;.EXE;.BAT;.CMD";
const char COMMAND_PROCESSOR_KEY[] = "Software\\Microsoft\\Command Processor";

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

// The entries of a list such as PATH: separated by ';', each perhaps in quotes, which a
// ';' in a folder's name needs; empty ones left out.
std::vector<std::string> ListEntries(std::string_view list) {
  std::vector<std::string> entries(1);
  bool quoted = false;
  for (const char c : list) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ';' && !quoted)
      entries.emplace_back();
    else
      entries.back() += c;
  }
  entries.erase(std::remove(entries.begin(), entries.end(), std::string()), entries.end());
  return entries;
}

std::string WithoutTrailingSeparators(std::string folder) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

// A drive's folder or a network share's: a relative entry of PATH would be looked up
// from the working folder.
bool IsAbsoluteFolder(std::string_view folder) {
  return (folder.size() >= 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/')) ||
         folder.substr(0, 2) == "\\\\";
}

std::string WorkingFolder() {
  char folder[MAX_PATH * 3];  // MAX_PATH characters of UTF-8
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  return length < sizeof folder ? std::string(folder, length) : std::string();
}

// The system folder, then PATH's folders, as cmd.exe searches them, but never the working
// folder nor Pellomar's, even where PATH lists them: a file anyone could drop there must
// not become the program started, as administrator least of all. A name without an
// extension takes each of PATHEXT's in turn.
std::string ProgramOnSearchPath(std::string_view bareName) {
  char system[MAX_PATH * 3];
  const UINT systemLength = GetSystemDirectoryA(system, sizeof system);
  std::vector<std::string> folders = ListEntries(EnvironmentVariable("PATH").value_or(std::string()));
  if (systemLength > 0 && systemLength < sizeof system)
    folders.insert(folders.begin(), std::string(system, systemLength));
  std::vector<std::string> extensions(1);
  if (bareName.find('.') == std::string_view::npos)
    extensions = ListEntries(EnvironmentVariable("PATHEXT").value_or(DEFAULT_PROGRAM_EXTENSIONS));
  const std::string never[] = {WithoutTrailingSeparators(WorkingFolder()), WithoutTrailingSeparators(ExeFolder())};
  for (const std::string& listed : folders) {
    const std::string folder = WithoutTrailingSeparators(listed);
    if (!IsAbsoluteFolder(listed) || lstrcmpiA(folder.c_str(), never[0].c_str()) == 0 ||
        lstrcmpiA(folder.c_str(), never[1].c_str()) == 0)
      continue;
    for (std::string extension : extensions) {
      CharLowerBuffA(extension.data(), static_cast<DWORD>(extension.size()));  // "cmd.exe", not "cmd.EXE"
      const std::string path = folder + '\\' + std::string(bareName) + extension;
      const DWORD attributes = GetFileAttributesA(path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
    }
  }
  return std::string();
}

DWORD DwordValue(HKEY key, const char* name, DWORD otherwise) {
  DWORD value, type, size = sizeof value;
  if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return otherwise;
  return value;
}

// cmd.exe reads the machine's key and then the user's, whose values win, and a 32-bit and
// a 64-bit cmd.exe see different machine keys. Any of them that turns delayed expansion
// on, or the extensions off, counts: one read wrongly only refuses a value that would
// have gone through.
CommandProcessor CommandProcessorSettings() {
  CommandProcessor settings;
  const std::pair<HKEY, REGSAM> keys[] = {
      {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}, {HKEY_CURRENT_USER, 0}};
  for (const auto& [root, view] : keys) {
    HKEY key;
    if (RegOpenKeyExA(root, COMMAND_PROCESSOR_KEY, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) continue;
    if (DwordValue(key, "DelayedExpansion", 0) != 0) settings.delayedExpansion = true;
    if (DwordValue(key, "EnableExtensions", 1) == 0) settings.extensions = false;
    RegCloseKey(key);
  }
  return settings;
}

}  // namespace

const CommandSources SYSTEM_COMMAND_SOURCES = {EnvironmentVariable, ClipboardText, ProgramOnSearchPath,
                                               CommandProcessorSettings};
