#include "base/other_bars_win.h"
// After windows.h, which it needs.
#include <psapi.h>

#include "base/app_state_win.h"
#include "base/file_io_win.h"
#include "base/system_library_win.h"

HWND FindOtherBar(const char* property, HANDLE mark, DWORD& process) {
  for (HWND window = NULL; (window = FindWindowExA(NULL, window, MAIN_WINDOW_CLASS, NULL)) != NULL;) {
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && GetPropA(window, property) == mark) return window;
  }
  return NULL;
}

std::string ProgramOf(DWORD process) {
  static const auto moduleFileName =
      LoadSystemFunction<decltype(GetModuleFileNameExA)>("psapi.dll", "GetModuleFileNameExA");
  const HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
  if (!handle) return std::string();
  char path[PATH_BYTES];
  const DWORD length = moduleFileName ? moduleFileName(handle, NULL, path, sizeof path) : 0;
  CloseHandle(handle);
  return std::string(path, length < sizeof path ? length : 0);
}
