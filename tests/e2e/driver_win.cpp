// Drives a running Pellomar from outside, as another program of the same Wine prefix. It
// exits 0 when it did what it was asked, else 1 (2 for an unknown command).
//
//   driver post-bar MSG WPARAM LPARAM  posts a message to the bar (window class "parentwindow")
//   driver close-bar                   asks the bar to close, as the system would
//   driver answer-box CAPTION MS       waits for the message box so captioned, prints its text
//                                      and answers it OK
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int PostBar(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND bar = FindWindowA("parentwindow", NULL);
  return bar && PostMessageA(bar, message, wParam, lParam) ? 0 : 1;
}

int AnswerBox(const char* caption, DWORD milliseconds) {
  HWND box;
  for (const DWORD start = GetTickCount(); !(box = FindWindowA("#32770", caption)); Sleep(20))
    if (GetTickCount() - start >= milliseconds) return 1;
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text control
  std::printf("%s\n", text);
  return PostMessageA(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "post-bar" && argc == 5)
    return PostBar(std::strtoul(argv[2], NULL, 0), std::strtoul(argv[3], NULL, 0), std::strtol(argv[4], NULL, 0));
  if (command == "close-bar") return PostBar(WM_CLOSE, 0, 0);
  if (command == "answer-box" && argc == 4) return AnswerBox(argv[2], std::strtoul(argv[3], NULL, 0));
  std::fprintf(stderr, "driver: unknown command\n");
  return 2;
}
