#include "command/command_results_win.h"

#include <string>
#include <string_view>

#include "base/code_page_win.h"
#include "base/file_io_win.h"
#include "base/shell_launch_win.h"
#include "catalog/program_catalog_win.h"
#include "command/command_edit_win.h"
#include "command/command_text.h"
#include "command/entered_line.h"
#include "command/folder_listing_win.h"
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

// The user's decimal separator, in UTF-8; it may change while the bar runs.
std::string DecimalSeparator() {
  wchar_t separator[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  return WideToUtf8(separator);
}

std::string Expanded(std::string_view text) {
  char expanded[PATH_BYTES];
  const DWORD length = ExpandEnvironmentStringsA(std::string(text).c_str(), expanded, sizeof expanded);
  return length > 0 && length <= sizeof expanded ? expanded : std::string(text);
}

bool IsAbsolutePath(std::string_view path) {
  return (path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) || path.substr(0, 2) == "\\\\";
}

// The file on disk a program's row stands for: its program, else its shortcut; none for
// a packaged app.
std::string ProgramFile(uint32_t item) {
  std::string file = Expanded(GetItemText(programCatalog, item, ItemText::Target));
  if (!IsAbsolutePath(file)) file = GetItemText(programCatalog, item, ItemText::Launch);
  std::string ansi;
  return IsAbsolutePath(file) && Utf8ToAnsi(file, ansi) ? ansi : std::string();
}

// Opens the folder that holds the file, with the file selected in it.
DWORD ShowInFolder(const std::string& file) {
  if (file.empty()) return ERROR_FILE_NOT_FOUND;
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string explorer = std::string(windows) + "\\explorer.exe";
  return OpenWithShell(NULL, "open", explorer.c_str(), ("/select,\"" + file + "\"").c_str(), SW_SHOWNORMAL);
}

// As the Start Menu starts a program, and Explorer a file: a shortcut with its own
// folder, arguments and window.
DWORD Open(const std::string& file, const std::string& parameters, bool elevate) {
  return OpenWithShell(NULL, elevate ? "runas" : "open", file.c_str(), parameters.c_str(), SW_SHOWNORMAL);
}

DWORD OpenProgram(const ResultRow& row, RowRun how) {
  if (how == RowRun::ShowInFolder) return ShowInFolder(ProgramFile(row.item));
  std::string file;
  if (!Utf8ToAnsi(GetItemText(programCatalog, row.item, ItemText::Launch), file)) return ERROR_NO_UNICODE_TRANSLATION;
  return Open(file, row.text, how == RowRun::AsAdministrator && IsProgramItem(programCatalog, row.item));
}

DWORD OpenEntry(const ResultRow& row, RowRun how) {
  const std::string file = EntryFile(row);
  if (how == RowRun::ShowInFolder) return ShowInFolder(file);
  return Open(file, std::string(), how == RowRun::AsAdministrator && !row.folder && CanElevate(file));
}

// Enter on an answer copies the number to the clipboard and leaves it in the box,
// selected, for the list to show nothing more for it.
void TakeAnswer(HWND box, const ResultRow& row) {
  std::string shown;
  if (!row.number || !Utf8ToAnsi(row.text, shown)) {
    MessageBeep(MB_OK);
    return;
  }
  const std::wstring copied = Utf8ToWide(row.text);
  const size_t bytes = (copied.size() + 1) * sizeof(wchar_t);
  if (OpenClipboard(box)) {
    EmptyClipboard();
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      CopyMemory(GlobalLock(memory), copied.c_str(), bytes);
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
  }
  SetWindowTextA(box, shown.c_str());
  SendMessageA(box, EM_SETSEL, 0, -1);
  resultList.dismissed = true;
}

// What the row was, to tell the user where it could not be opened.
std::string RowName(const ResultRow& row) {
  if (row.kind == ResultKind::Entry) return EntryFile(row);
  std::string name;
  Utf8ToAnsi(GetItemText(programCatalog, row.item, ItemText::Name), name);
  return name;
}

}  // namespace

std::string EntryFile(const ResultRow& row) {
  const auto path = ParseTypedPath(TypedLine(resultList.line));
  std::string name;
  if (!path || !Utf8ToAnsi(row.text, name)) return std::string();
  return Expanded(path->folder) + name;
}

void RefreshResults(HWND box) {
  std::string text = CommandBoxText(box);
  const bool dismissed = resultList.dismissed && text == resultList.line;
  resultList = ResultList{std::move(text), {}, 0, dismissed};
  const std::string_view typed = TypedLine(resultList.line);
  if (typed.empty()) return;
  const std::string line = AnsiToUtf8(typed);
  resultList.rows = AnswerRows(line, DecimalSeparator());
  if (!resultList.rows.empty()) return;
  if (const auto path = ParseTypedPath(typed)) {
    const std::string folder = Expanded(path->folder);
    if (folder == folderListing.folder)
      resultList.rows = EntryRows(AnsiToUtf8(path->piece), folderListing.entries);
    else
      ListFolder(GetParent(box), folder);
    return;
  }
  if (!appSettings.findPrograms || LineTakesKeyWord(typed, keyEntryStore)) return;
  resultList.rows = ProgramRows(line, programCatalog, programPicks, ShownPrograms());
}

bool RunResultRow(HWND box, size_t index, RowRun how) {
  if (index >= resultList.rows.size()) return false;
  // A copy: the list may change while the shell works.
  const ResultRow row = resultList.rows[index];
  const std::string typed(TypedLine(resultList.line));
  if (appSettings.rememberTypedLines) typedLineHistory.Remember(typed);
  if (row.kind == ResultKind::Answer) {
    TakeAnswer(box, row);
    return true;
  }
  if (appSettings.minimizeAlways) SendMessageA(GetParent(box), WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  const DWORD error = row.kind == ResultKind::Program ? OpenProgram(row, how) : OpenEntry(row, how);
  if (error == ERROR_SUCCESS && row.kind == ResultKind::Program)
    RecordPick(programPicks, AnsiToUtf8(typed), GetItemText(programCatalog, row.item, ItemText::Launch));
  if (error == ERROR_SUCCESS || error == ERROR_CANCELLED) return true;
  // Back for the line to be corrected, as for any launch that fails.
  if (appSettings.minimizedToTray) SendMessageA(GetParent(box), WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  TellNotOpened(RowName(row), error);
  return true;
}

bool CompleteResultRow(HWND box) {
  if (resultList.rows.empty() || resultList.rows[resultList.selected].kind != ResultKind::Entry) return false;
  const ResultRow& row = resultList.rows[resultList.selected];
  const auto path = ParseTypedPath(TypedLine(resultList.line));
  std::string name;
  if (!path || !Utf8ToAnsi(row.text, name)) return false;
  const std::string completed = CompletedLine(path->folder, {name, row.folder, false});
  SetWindowTextA(box, completed.c_str());
  const LPARAM end = GetWindowTextLengthW(box);
  SendMessageA(box, EM_SETSEL, end, end);
  return true;
}
