#include "base/dpi_win.h"
// After windows.h, which it needs.
#include <shellscalingapi.h>

#include "base/system_library_win.h"

UINT SystemDpi() {
  const HDC screen = GetDC(NULL);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(NULL, screen);
  return static_cast<UINT>(dpi);
}

UINT DpiOfWindow(HWND window) {
  // Each window has its own scale from Windows 10 1607, each monitor from Windows 8.1;
  // before, every monitor has the system's. The older way loads a library of its own, so
  // only the systems that need it pay for it.
  static const auto dpiForWindow =
      FunctionOf<decltype(GetDpiForWindow)>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
  if (dpiForWindow) return dpiForWindow(window);
  static const auto dpiForMonitor = LoadSystemFunction<decltype(GetDpiForMonitor)>("shcore.dll", "GetDpiForMonitor");
  UINT dpiX, dpiY;
  if (dpiForMonitor &&
      dpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), MDT_EFFECTIVE_DPI, &dpiX, &dpiY) == S_OK)
    return dpiX;
  return SystemDpi();
}
