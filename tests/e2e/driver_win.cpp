// Drives a running Pellomar from outside, as another program of the same Wine prefix. It
// exits 0 when it did what it was asked, else 1 (2 for an unknown command).
//
//   driver post-bar MSG WPARAM  posts a message to the bar (window class "parentwindow")
//   driver answer-box CAPTION   waits up to 15 seconds for the message box so captioned,
//                               prints its text and answers OK
//   driver await-menu           waits up to 15 seconds for a popup menu to show
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 4 && !std::strcmp(argv[1], "post-bar")) {
    const HWND bar = FindWindowA("parentwindow", NULL);
    return bar && PostMessageA(bar, std::strtoul(argv[2], NULL, 0), std::strtoul(argv[3], NULL, 0), 0) ? 0 : 1;
  }
  if (argc == 2 && !std::strcmp(argv[1], "await-menu")) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 15000; Sleep(20)) {
      const HWND menu = FindWindowA("#32768", NULL);
      if (menu && IsWindowVisible(menu)) return 0;
    }
    return 1;
  }
  if (argc != 3 || std::strcmp(argv[1], "answer-box")) return 2;
  HWND box;
  for (const DWORD start = GetTickCount(); !(box = FindWindowA("#32770", argv[2])); Sleep(20))
    if (GetTickCount() - start >= 15000) return 1;
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text control
  std::printf("%s\n", text);
  return PostMessageA(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
}
