#include "command/command_results_win.h"

#include <string>
#include <string_view>

#include "base/code_page_win.h"
#include "base/shell_launch_win.h"
#include "catalog/program_catalog_win.h"
#include "command/command_edit_win.h"
#include "command/entered_line.h"
#include "command/result_list.h"
#include "command/typed_line_history.h"
#include "keys/key_entry_store.h"
#include "resources/resource.h"
#include "settings/app_settings.h"

namespace {

// The line as it runs: a longer one is cut, between two characters.
std::string_view TypedLine(const std::string& text) {
  return std::string_view(text.data(), TextCutLength(text, MAX_LINE_LENGTH));
}

bool IsAbsolutePath(std::string_view path) {
  return (path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) || path.substr(0, 2) == "\\\\";
}

// The file on disk a program's row stands for: its program, else its shortcut; none for
// a packaged app.
std::string FileToShow(uint32_t item) {
  const std::wstring stored = Utf8ToWide(GetItemText(programCatalog, item, ItemText::Target));
  wchar_t target[MAX_PATH * 2] = {};
  const DWORD length = ExpandEnvironmentStringsW(stored.c_str(), target, MAX_PATH * 2);
  std::string file = length > 0 && length <= MAX_PATH * 2 ? WideToUtf8(target) : std::string();
  if (!IsAbsolutePath(file)) file = GetItemText(programCatalog, item, ItemText::Launch);
  std::string ansi;
  return IsAbsolutePath(file) && Utf8ToAnsi(file, ansi) ? ansi : std::string();
}

// Opens the folder that holds the row's program, with the program selected in it.
DWORD ShowInFolder(uint32_t item) {
  const std::string file = FileToShow(item);
  if (file.empty()) return ERROR_FILE_NOT_FOUND;
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string explorer = std::string(windows) + "\\explorer.exe";
  return OpenWithShell(NULL, "open", explorer.c_str(), ("/select,\"" + file + "\"").c_str(), SW_SHOWNORMAL);
}

DWORD OpenRow(const ResultRow& row, RowRun how) {
  if (how == RowRun::ShowInFolder) return ShowInFolder(row.item);
  std::string file;
  if (!Utf8ToAnsi(GetItemText(programCatalog, row.item, ItemText::Launch), file)) return ERROR_NO_UNICODE_TRANSLATION;
  const bool elevate = how == RowRun::AsAdministrator && IsProgramItem(programCatalog, row.item);
  // As the Start Menu starts it: a shortcut with its own folder, arguments and window.
  return OpenWithShell(NULL, elevate ? "runas" : "open", file.c_str(), row.parameters.c_str(), SW_SHOWNORMAL);
}

}  // namespace

void RefreshResults(HWND box) {
  std::string text = CommandBoxText(box);
  const bool dismissed = resultList.dismissed && text == resultList.line;
  resultList = ResultList{std::move(text), {}, 0, dismissed};
  const std::string_view typed = TypedLine(resultList.line);
  if (!appSettings.findPrograms || typed.empty() || LineTakesKeyWord(typed, keyEntryStore)) return;
  resultList.rows = ProgramRows(AnsiToUtf8(typed), programCatalog, programPicks, ShownPrograms());
}

bool RunResultRow(HWND box, size_t index, RowRun how) {
  if (index >= resultList.rows.size()) return false;
  // A copy: the list may change while the shell works.
  const ResultRow row = resultList.rows[index];
  const std::string typed(TypedLine(resultList.line));
  if (appSettings.rememberTypedLines) typedLineHistory.Remember(typed);
  if (appSettings.minimizeAlways) SendMessageA(GetParent(box), WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  const DWORD error = OpenRow(row, how);
  if (error == ERROR_SUCCESS) RecordPick(programPicks, AnsiToUtf8(typed), GetItemText(programCatalog, row.item, ItemText::Launch));
  if (error == ERROR_SUCCESS || error == ERROR_CANCELLED) return true;
  // Back for the line to be corrected, as for any launch that fails.
  if (appSettings.minimizedToTray) SendMessageA(GetParent(box), WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  std::string name;
  Utf8ToAnsi(GetItemText(programCatalog, row.item, ItemText::Name), name);
  TellNotOpened(name, error);
  return true;
}
