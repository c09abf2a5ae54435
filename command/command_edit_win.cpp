#include "command/command_edit_win.h"

#include <algorithm>
#include <cstring>

#include "base/app_state_win.h"
#include "base/shell_launch_win.h"
#include "command/entered_line.h"
#include "countdown/countdown_win.h"
#include "countdown/shutdown_win.h"
#include "resources/resource.h"

bool selectAllOnNextClick = true;

namespace {

void SelectAll(HWND hwnd) {
  SendMessageA(hwnd, EM_SETSEL, 0, -1);
}

// Runs what the box's line asks for; false when nothing matched and the key press should
// go on to the edit control. The line stays in the box either way.
bool RunEnteredLine(HWND hwnd) {
  char line[MAX_LINE_LENGTH + 1];
  // EM_GETLINE takes the buffer's capacity in its first word.
  const WORD capacity = MAX_LINE_LENGTH;
  memcpy(line, &capacity, sizeof capacity);
  const LRESULT length = SendMessageA(hwnd, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
  if (length <= 0) return false;
  const LinePlan plan = PlanEnteredLine(std::string_view(line, std::min<size_t>(length, MAX_LINE_LENGTH)));
  if (plan.minimizeFirst) SendMessageA(GetParent(hwnd), WM_COMMAND, IDM_MINIMIZE_RESTORE, 0);
  switch (plan.action) {
    case LineAction::PassOn:
      return false;
    case LineAction::Launch:
      RunCommand(plan.command, plan.parameters);
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

}  // namespace

void RunCommand(const std::string& command, const std::string& parameters) {
  OpenWithShell(NULL, command.c_str(), parameters.c_str(), SW_SHOWMAXIMIZED);
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
      if (wParam == VK_RETURN && RunEnteredLine(hwnd)) return 0;
      break;
    case WM_CHAR:
      // The edit control would beep at the Enter that has just run the line.
      if (wParam == '\r') return 0;
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
    case WM_ACTIVATE_COMMAND_EDIT:
      SelectAll(hwnd);
      SetForegroundWindow(hwnd);
      SetFocus(hwnd);
      selectAllOnNextClick = false;
      return 0;
  }
  return CallWindowProcA(appState.commandEditBaseProc, hwnd, message, wParam, lParam);
}
