#include "command/command_edit_win.h"

#include <windowsx.h>

#include <string>

#include "base/app_state_win.h"
#include "base/code_page_win.h"
#include "base/shell_launch_win.h"
#include "catalog/catalog_worker_win.h"
#include "command/command_results_win.h"
#include "command/command_sources_win.h"
#include "command/entered_line.h"
#include "command/key_word_completion.h"
#include "command/result_list.h"
#include "command/typed_line_history.h"
#include "countdown/countdown_win.h"
#include "countdown/shutdown_win.h"
#include "resources/resource.h"
#include "settings/app_settings.h"

bool selectAllOnNextClick = true;

namespace {

const char ESCAPE_CHARACTER = 0x1B;
const char REFUSED_TEXT[] = "Pellomar did not run the key word \"";
const char REFUSED_REASON[] =
    "\": what you typed or copied cannot be passed safely to its batch file. A line break, or a character "
    "that the command prompt reads as its own the way it is set up (a ! while its delayed expansion is on), "
    "would change what runs.";
const char REFUSED_CAPTION[] = "Pellomar";
// The character that follows a Tab or Esc press which the box has acted on, to be kept
// from the edit control; 0 when none.
WPARAM characterToDrop;

void SelectAll(HWND hwnd) {
  SendMessageA(hwnd, EM_SETSEL, 0, -1);
}

void ShowText(HWND hwnd, const std::string& text, WPARAM selectionStart, LPARAM selectionEnd) {
  SetWindowTextA(hwnd, text.c_str());
  SendMessageA(hwnd, EM_SETSEL, selectionStart, selectionEnd);
}

// Up and Down step through the lines run before; false when the key is no step.
bool StepThroughHistory(HWND hwnd, bool older) {
  const std::string shown = CommandBoxText(hwnd);
  const auto line = older ? typedLineHistory.Older(shown) : typedLineHistory.Newer(shown);
  if (!line) return false;
  ShowText(hwnd, *line, 0, -1);  // selected, so that typing replaces it
  return true;
}

// Shows text with the caret at a byte of it.
void ShowTextWithCaret(HWND hwnd, const std::string& text, size_t caretByte) {
  const size_t caret = CharactersBeforeByte(text, caretByte);
  ShowText(hwnd, text, caret, static_cast<LPARAM>(caret));
}

bool PutBackTypedLine(HWND hwnd) {
  const auto line = typedLineHistory.Abandon(CommandBoxText(hwnd));
  if (!line) return false;
  ShowTextWithCaret(hwnd, *line, line->size());
  return true;
}

// Tab in the first word completes it to a key word; false when the Tab is the box's own.
bool CompleteKeyWord(HWND hwnd, LPARAM keyFlags) {
  DWORD caret = 0;
  SendMessageA(hwnd, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  const std::string text = CommandBoxText(hwnd);
  const TabResult result = keyWordCompletion.Tab(keyEntryStore, text, BytesBeforeCharacter(text, caret));
  if (result.outcome == TabOutcome::NotInFirstWord) return false;
  if (result.outcome == TabOutcome::Changed)
    ShowTextWithCaret(hwnd, result.line, result.caret);
  else if (!(HIWORD(keyFlags) & KF_REPEAT))  // a held Tab beeps once, not at every repeat
    MessageBeep(MB_OK);
  return true;
}

// Hands a planned launch to the shell, maximized, with the verb "runas" where the plan
// starts it as administrator. A no at the elevation prompt is the user's answer; anything
// else that fails is told as the user named it, over the bar, which comes back first if
// it hid for the launch: the line is there to correct.
void RunCommand(HWND hwnd, const LinePlan& plan) {
  const char* verb = plan.asAdministrator ? "runas" : "open";
  const DWORD error = OpenWithShell(NULL, verb, plan.command.c_str(), plan.parameters.c_str(), SW_SHOWMAXIMIZED);
  if (error == ERROR_SUCCESS || error == ERROR_CANCELLED) return;
  if (appSettings.minimizedToTray) SendMessageA(GetParent(hwnd), WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  TellNotOpened(plan.named, error);
}

// Runs what the box's line asks for; false when nothing matched and the key press should
// go on to the edit control. The line stays in the box either way.
bool RunEnteredLine(HWND hwnd, bool asAdministrator) {
  const std::string text = CommandBoxText(hwnd);
  // A longer line is cut, between two characters.
  const size_t length = TextCutLength(text, MAX_LINE_LENGTH);
  if (length == 0) return false;
  const std::string_view typed(text.data(), length);
  const LinePlan plan = PlanEnteredLine(typed, SYSTEM_COMMAND_SOURCES, asAdministrator);
  // Before it runs, so that a power-off saves it on its way.
  const bool runs = plan.action != LineAction::PassOn && plan.action != LineAction::Refused;
  if (runs && appSettings.rememberTypedLines) typedLineHistory.Remember(typed);
  if (plan.minimizeFirst) SendMessageA(GetParent(hwnd), WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  switch (plan.action) {
    case LineAction::PassOn:
      return false;
    case LineAction::Launch:
      RunCommand(hwnd, plan);
      break;
    case LineAction::Refused:
      MessageBoxA(appState.mainWindow, (REFUSED_TEXT + plan.named + REFUSED_REASON).c_str(), REFUSED_CAPTION,
                  MB_ICONWARNING);
      break;
    case LineAction::SystemCommand:
      RunSystemCommand(plan.command);
      break;
    case LineAction::Countdown:
      StartCountdown(plan.command);
      break;
  }
  return true;
}

// The bar is to draw the list again.
void ResultsChanged(HWND hwnd) {
  SendMessageA(GetParent(hwnd), WM_RESULTS_CHANGED, 0, 0);
}

// The keys of the list while it shows: Enter runs the selected row (with Ctrl, shows it in
// its folder; with Ctrl and Shift, as administrator), Up and Down and the page keys move
// the selection, Esc closes the list, Tab takes a folder's entry into the box. While Up
// and Down walk the lines run before, the list follows the line shown and they go on
// walking. False for any other key.
bool TakeListKey(HWND hwnd, WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  const int page = static_cast<int>(resultList.rows.size());
  switch (key) {
    case VK_RETURN:
      return RunResultRow(hwnd, resultList.selected,
                          control ? (shift ? RowRun::AsAdministrator : RowRun::ShowInFolder) : RowRun::Open);
    case VK_UP:
    case VK_DOWN:
      if (typedLineHistory.Walking(CommandBoxText(hwnd))) return false;
      MoveSelection(resultList, key == VK_UP ? -1 : 1);
      break;
    case VK_PRIOR:
    case VK_NEXT:
      MoveSelection(resultList, key == VK_PRIOR ? -page : page);
      break;
    case VK_ESCAPE:
      resultList.dismissed = true;
      characterToDrop = ESCAPE_CHARACTER;
      break;
    case VK_TAB:
      if (!CompleteResultRow(hwnd)) return false;
      characterToDrop = '\t';
      return true;
    default:
      return false;
  }
  ResultsChanged(hwnd);
  return true;
}

}  // namespace

std::string CommandBoxText(HWND box) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(box)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT CALLBACK CommandEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      // The bar's opacity follows the focus, in the box as much as on the skin.
      SendMessageA(GetParent(hwnd), WM_SETFOCUS, 0, 0);
      break;
    case WM_KILLFOCUS:
      SendMessageA(GetParent(hwnd), WM_KILLFOCUS, 0, 0);
      selectAllOnNextClick = true;
      break;
    case WM_KEYDOWN:
      characterToDrop = 0;
      if (ResultsShown(resultList) && TakeListKey(hwnd, wParam)) return 0;
      switch (wParam) {
        case VK_RETURN:
          // Ctrl+Shift+Enter: as administrator.
          if (RunEnteredLine(hwnd, GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) < 0)) return 0;
          break;
        case VK_UP:
        case VK_DOWN:
          if (StepThroughHistory(hwnd, wParam == VK_UP)) return 0;
          break;
        case VK_ESCAPE:
          if (!PutBackTypedLine(hwnd)) break;
          characterToDrop = ESCAPE_CHARACTER;
          return 0;
        case VK_TAB:
          if (!CompleteKeyWord(hwnd, lParam)) break;
          characterToDrop = '\t';
          return 0;
        case VK_F5:
          RescanCatalog();
          return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      // Alt+1 to Alt+9 run the list's rows.
      characterToDrop = 0;
      if (!ResultsShown(resultList) || wParam < '1' || wParam > '9') break;
      RunResultRow(hwnd, wParam - '1', RowRun::Open);
      characterToDrop = wParam;
      return 0;
    case WM_SYSCHAR:
      if (characterToDrop && wParam == characterToDrop) {
        characterToDrop = 0;
        return 0;
      }
      break;
    case WM_CHAR:
      // The edit control would beep at the Enter that has just run the line (a line feed
      // with Ctrl held), and at the Tab or Esc the box has acted on.
      if (wParam == '\r' || wParam == '\n') return 0;
      if (characterToDrop && wParam == characterToDrop) {
        characterToDrop = 0;
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      if (!selectAllOnNextClick) break;
      selectAllOnNextClick = false;
      SetFocus(hwnd);
      SelectAll(hwnd);
      return 0;
    case WM_LBUTTONDBLCLK:
      SelectAll(hwnd);
      return 0;
    case WM_CONTEXTMENU:
      // From the keyboard (Shift+F10, the Apps key) the bar's own menu, which holds what
      // the keyboard cannot reach otherwise; a right click keeps the edit control's menu
      // of cut, copy and paste.
      if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) break;
      SendMessageA(GetParent(hwnd), WM_CONTEXTMENU, wParam, lParam);
      return 0;
    case WM_ACTIVATE_COMMAND_EDIT:
      SelectAll(hwnd);
      SetForegroundWindow(hwnd);
      SetFocus(hwnd);
      selectAllOnNextClick = false;
      return 0;
  }
  return CallWindowProcW(appState.commandEditBaseProc, hwnd, message, wParam, lParam);
}
