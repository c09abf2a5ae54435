#include "base/shell_launch_win.h"

#include "base/app_state_win.h"
#include "base/file_io_win.h"
#include "base/irreversible_calls_win.h"
#include "base/shell_result.h"

namespace {

const char OPEN_FAILED_TEXT[] = "Pellomar could not open \"";
const char OPEN_FAILED_CAPTION[] = "Pellomar";

}  // namespace

DWORD OpenWithShell(HWND owner, const char* verb, const char* file, const char* parameters, int show) {
  const HINSTANCE shell = irreversibleCalls.shellExecute(owner, verb, file, parameters, NULL, show);
  const auto result = reinterpret_cast<uintptr_t>(shell);
  // The shell gives a refused elevation prompt the code of access denied; its last error
  // tells the two apart.
  if (result == SE_ERR_ACCESSDENIED && GetLastError() == ERROR_CANCELLED) return ERROR_CANCELLED;
  return SystemErrorOfShellResult(result);
}

void TellNotOpened(const std::string& name, DWORD error) {
  const std::string text = OPEN_FAILED_TEXT + name + "\":\n" + SystemErrorText(error);
  MessageBoxA(appState.mainWindow, text.c_str(), OPEN_FAILED_CAPTION, MB_ICONWARNING);
}
