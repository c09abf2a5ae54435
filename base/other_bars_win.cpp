#include "base/other_bars_win.h"

#include "base/app_state_win.h"

HWND FindOtherBar(const char* property, HANDLE mark, DWORD& process) {
  for (HWND window = NULL; (window = FindWindowExA(NULL, window, MAIN_WINDOW_CLASS, NULL)) != NULL;) {
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && GetPropA(window, property) == mark) return window;
  }
  return NULL;
}
