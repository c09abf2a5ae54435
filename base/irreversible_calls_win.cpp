#include "base/irreversible_calls_win.h"

#include "base/system_library_win.h"

namespace {

// The shell library, and the common controls it brings along, load at the first launch
// rather than at start-up. Where it cannot load, the shell's own code for a missing
// library says so (a null result would read as memory exhausted).
HINSTANCE WINAPI ShellExecuteOnFirstUse(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                        INT show) {
  static const auto shellExecute = LoadSystemFunction<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (!shellExecute) return reinterpret_cast<HINSTANCE>(INT_PTR{SE_ERR_DLLNOTFOUND});
  return shellExecute(owner, verb, file, parameters, directory, show);
}

// Switches the shutdown privilege of the process's own token; failures show up as the
// exit request failing.
void EnableShutdownPrivilege(bool enable) {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  LookupPrivilegeValueA(NULL, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
  CloseHandle(token);
}

}  // namespace

IrreversibleCalls irreversibleCalls = {ShellExecuteOnFirstUse, ExitWindowsEx, EnableShutdownPrivilege};
