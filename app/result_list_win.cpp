#include "app/result_list_win.h"
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/app_state_win.h"
#include "base/bar_layout.h"
#include "base/code_page_win.h"
#include "base/dpi_win.h"
#include "base/folder_entries_win.h"
#include "base/system_library_win.h"
#include "catalog/program_catalog_win.h"
#include "command/command_results_win.h"
#include "command/result_list.h"

namespace {

const wchar_t RESULTS_CLASS[] = L"PellomarResults";
const UINT_PTR ICONS_TIMER_ID = 1;
// At 96 dpi: the icon's size and the room around a row's icon and text.
const int32_t ICON_SIZE = 16;
const int32_t ROW_PADDING = 3;

// The list's window, its list box and what they draw with, made at one scale.
struct Results {
  HWND window;
  HWND list;
  WNDPROC listBaseProc;
  HFONT font;
  uint32_t dpi;
  int32_t rowHeight;
  std::vector<std::pair<std::wstring, HICON>> icons;  // by the file they show
};
Results results;

// So many icons are kept at most; the rows of the line shown are fetched again.
const size_t MOST_ICONS = 64;

// The file a row's icon shows, and whether the shell may read it; where that would mean
// reading from a network share that may not answer, the plain icon of its kind shows.
struct IconSource {
  std::wstring file;
  bool readable;
  bool folder;
};

IconSource IconSourceOf(const ResultRow& row) {
  if (row.kind == ResultKind::Entry) {
    const std::wstring file = AnsiToWide(EntryFile(row));
    return {file, IsOnOwnDrive(file), row.folder};
  }
  const std::wstring launch = Utf8ToWide(GetItemText(programCatalog, row.item, ItemText::Launch));
  const std::wstring target = Utf8ToWide(GetItemText(programCatalog, row.item, ItemText::Target));
  const bool local = IsOnOwnDrive(launch) && (target.empty() || target[0] == L'%' || IsOnOwnDrive(target));
  return {local ? launch : L"program.exe", local, false};
}

HICON KnownIcon(const std::wstring& file) {
  for (const auto& [known, icon] : results.icons)
    if (known == file) return icon;
  return NULL;
}

HICON RowIcon(const ResultRow& row) {
  return row.kind == ResultKind::Answer ? NULL : KnownIcon(IconSourceOf(row).file);
}

HICON FetchIcon(const IconSource& source) {
  static const auto fileInfo = LoadSystemFunction<decltype(SHGetFileInfoW)>("shell32.dll", "SHGetFileInfoW");
  SHFILEINFOW info = {};
  const DWORD attributes = source.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (fileInfo)
    fileInfo(source.file.c_str(), attributes, &info, sizeof info,
             SHGFI_ICON | SHGFI_SMALLICON | (source.readable ? 0 : SHGFI_USEFILEATTRIBUTES));
  return info.hIcon;
}

// After the keys that wait: the timer's message comes after every other.
void FetchIcons() {
  KillTimer(results.window, ICONS_TIMER_ID);
  if (results.icons.size() > MOST_ICONS) ForgetResultIcons();
  for (const ResultRow& row : resultList.rows) {
    if (row.kind == ResultKind::Answer) continue;
    const IconSource source = IconSourceOf(row);
    if (!KnownIcon(source.file)) results.icons.emplace_back(source.file, FetchIcon(source));
  }
  InvalidateRect(results.list, NULL, FALSE);
}

void MakeFont(uint32_t dpi) {
  LOGFONTA font = {};
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
  font.lfHeight = ScaleBetweenDpis(font.lfHeight, SystemDpi(), dpi);
  DeleteObject(std::exchange(results.font, CreateFontIndirectA(&font)));
  const HDC screen = GetDC(NULL);
  const HGDIOBJ before = SelectObject(screen, results.font);
  TEXTMETRICA metrics;
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, before);
  ReleaseDC(NULL, screen);
  results.dpi = dpi;
  results.rowHeight = std::max<int32_t>(metrics.tmHeight, ScaleToDpi(ICON_SIZE, dpi)) + 2 * ScaleToDpi(ROW_PADDING, dpi);
  SendMessageW(results.list, WM_SETFONT, reinterpret_cast<WPARAM>(results.font), FALSE);
  SendMessageW(results.list, LB_SETITEMHEIGHT, 0, results.rowHeight);
}

void DrawRow(const DRAWITEMSTRUCT& row) {
  if (row.itemID >= resultList.rows.size()) return;
  const bool selected = row.itemState & ODS_SELECTED;
  const HDC dc = row.hDC;
  RECT area = row.rcItem;
  FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int32_t padding = ScaleToDpi(ROW_PADDING, results.dpi), icon = ScaleToDpi(ICON_SIZE, results.dpi);
  if (const HICON image = RowIcon(resultList.rows[row.itemID]))
    DrawIconEx(dc, area.left + padding, area.top + (area.bottom - area.top - icon) / 2, image, icon, icon, 0, NULL,
               DI_NORMAL);
  area.left += 2 * padding + icon;
  area.right -= padding;
  wchar_t text[300];
  const LRESULT length = SendMessageW(row.hwndItem, LB_GETTEXTLEN, row.itemID, 0);
  if (length < 0 || length >= 300) return;
  SendMessageW(row.hwndItem, LB_GETTEXT, row.itemID, reinterpret_cast<LPARAM>(text));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const HGDIOBJ before = SelectObject(dc, results.font);
  DrawTextW(dc, text, static_cast<int>(length), &area, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  SelectObject(dc, before);
}

// A press on a row runs it at once: the list box's own handling would take the focus.
LRESULT CALLBACK ResultsListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    const LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
    if (HIWORD(hit) == 0) RunResultRow(appState.commandEdit, LOWORD(hit), RowRun::Open);
    return 0;
  }
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return CallWindowProcW(results.listBaseProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ResultsWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(results.rowHeight);
      return TRUE;
    case WM_DRAWITEM:
      DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == ICONS_TIMER_ID) FetchIcons();
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void MakeResults() {
  const HINSTANCE instance = GetModuleHandleW(NULL);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ResultsWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
  windowClass.lpszClassName = RESULTS_CLASS;
  RegisterClassExW(&windowClass);
  // Owned by the bar: above it, and hidden with it.
  results.window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, RESULTS_CLASS, L"Programs",
                                   WS_POPUP | WS_BORDER, 0, 0, 0, 0, appState.mainWindow, NULL, instance, NULL);
  results.list = CreateWindowExW(0, L"LISTBOX", L"Programs",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                     LBS_NOINTEGRALHEIGHT,
                                 0, 0, 0, 0, results.window, NULL, instance, NULL);
  results.listBaseProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(results.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ResultsListProc)));
}

std::wstring RowText(const ResultRow& row) {
  switch (row.kind) {
    case ResultKind::Answer:
      return L"= " + Utf8ToWide(row.text);
    case ResultKind::Entry:
      return Utf8ToWide(row.text) + (row.folder ? L"\\" : L"");
    case ResultKind::Program:
      break;
  }
  std::wstring text = Utf8ToWide(GetItemText(programCatalog, row.item, ItemText::Name));
  if (!row.text.empty()) text += L"  " + AnsiToWide(row.text);
  return text;
}

// Under the bar, or above it where its monitor's work area has no room below.
void PlaceResults(int32_t height) {
  RECT bar;
  GetWindowRect(appState.mainWindow, &bar);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(appState.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
  const LONG top = bar.bottom + height <= monitor.rcWork.bottom ? bar.bottom : bar.top - height;
  const LONG width = bar.right - bar.left;
  SetWindowPos(results.window, HWND_TOPMOST, bar.left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RECT inside;
  GetClientRect(results.window, &inside);
  MoveWindow(results.list, 0, 0, inside.right, inside.bottom, TRUE);
}

}  // namespace

void ShowResults() {
  const HWND focus = GetFocus();
  if (!ResultsShown(resultList) || (focus != appState.commandEdit && focus != appState.mainWindow)) {
    HideResults();
    return;
  }
  if (!results.window) MakeResults();
  if (results.dpi != appState.barLayout.dpi) MakeFont(appState.barLayout.dpi);
  SendMessageW(results.list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(results.list, LB_RESETCONTENT, 0, 0);
  bool iconsMissing = false;
  for (const ResultRow& row : resultList.rows) {
    SendMessageW(results.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RowText(row).c_str()));
    iconsMissing = iconsMissing || (row.kind != ResultKind::Answer && !RowIcon(row));
  }
  SendMessageW(results.list, LB_SETCURSEL, resultList.selected, 0);
  SendMessageW(results.list, WM_SETREDRAW, TRUE, 0);
  // A folder's entries may be more than the rows shown: the list scrolls to the selected one.
  const size_t shown = std::min(resultList.rows.size(), MAX_CATALOG_ROWS);
  RECT frame = {0, 0, 0, static_cast<LONG>(shown) * results.rowHeight};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  PlaceResults(frame.bottom - frame.top);
  InvalidateRect(results.list, NULL, TRUE);
  if (iconsMissing) SetTimer(results.window, ICONS_TIMER_ID, 0, NULL);
}

void HideResults() {
  if (results.window) ShowWindow(results.window, SW_HIDE);
}

void ForgetResultIcons() {
  for (const auto& [file, icon] : results.icons)
    if (icon) DestroyIcon(icon);
  results.icons.clear();
}

void DestroyResults() {
  ForgetResultIcons();
  if (results.window) DestroyWindow(results.window);
  DeleteObject(results.font);
  results = Results{};
}
