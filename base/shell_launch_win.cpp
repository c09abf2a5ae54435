#include "base/shell_launch_win.h"

#include <string>

#include "base/app_state_win.h"
#include "base/file_io_win.h"
#include "base/irreversible_calls_win.h"
#include "base/shell_result.h"

namespace {

const char OPEN_FAILED_TEXT[] = "Pellomar could not open \"";
const char OPEN_FAILED_CAPTION[] = "Pellomar";

}  // namespace

bool OpenWithShell(HWND owner, const char* file, const char* parameters, int show) {
  const HINSTANCE result = irreversibleCalls.shellExecute(owner, "open", file, parameters, NULL, show);
  const DWORD error = SystemErrorOfShellResult(reinterpret_cast<uintptr_t>(result));
  if (error == 0) return true;
  const std::string text = OPEN_FAILED_TEXT + std::string(file) + "\":\n" + SystemErrorText(error);
  MessageBoxA(appState.mainWindow, text.c_str(), OPEN_FAILED_CAPTION, MB_ICONWARNING);
  return false;
}
