// Drives a running Pellomar from outside, as another program of the same Wine prefix. It
// exits 0 when it did what it was asked, else 1 (2 for an unknown command).
//
//   driver post-bar MSG WPARAM LPARAM  posts a message to the bar (window class "parentwindow")
//   driver close-bar                   asks the bar to close, as the system would
//   driver answer-box CAPTION MS [ID]  waits for the message box so captioned, prints its text
//                                      and answers it with button ID (OK by default)
//   driver item CAPTION ID MSG W L     sends a message to a control of the dialog so captioned,
//                                      or posts it when MSG is BM_CLICK (which may open another)
//   driver set-item CAPTION ID TEXT    sets the text of that control
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int PostBar(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND bar = FindWindowA("parentwindow", NULL);
  return bar && PostMessageA(bar, message, wParam, lParam) ? 0 : 1;
}

HWND WaitDialog(const char* caption, DWORD milliseconds) {
  HWND dialog;
  for (const DWORD start = GetTickCount(); !(dialog = FindWindowA("#32770", caption)); Sleep(20))
    if (GetTickCount() - start >= milliseconds) return NULL;
  return dialog;
}

int AnswerBox(const char* caption, DWORD milliseconds, WPARAM answer) {
  const HWND box = WaitDialog(caption, milliseconds);
  if (!box) return 1;
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);  // a message box's text control
  char utf8[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
  std::printf("%s\n", utf8);
  return PostMessageA(box, WM_COMMAND, answer, 0) ? 0 : 1;
}

int Item(const char* caption, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND dialog = WaitDialog(caption, 10000);
  const HWND item = dialog ? GetDlgItem(dialog, id) : NULL;
  if (!item) return 1;
  if (message == BM_CLICK) return PostMessageA(item, message, wParam, lParam) ? 0 : 1;
  std::printf("%ld\n", static_cast<long>(SendMessageA(item, message, wParam, lParam)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "post-bar" && argc == 5)
    return PostBar(std::strtoul(argv[2], NULL, 0), std::strtoul(argv[3], NULL, 0), std::strtol(argv[4], NULL, 0));
  if (command == "close-bar") return PostBar(WM_CLOSE, 0, 0);
  if (command == "answer-box" && argc >= 4)
    return AnswerBox(argv[2], std::strtoul(argv[3], NULL, 0), argc > 4 ? std::strtoul(argv[4], NULL, 0) : IDOK);
  if (command == "item" && argc == 7)
    return Item(argv[2], std::atoi(argv[3]), std::strtoul(argv[4], NULL, 0), std::strtoul(argv[5], NULL, 0),
                std::strtol(argv[6], NULL, 0));
  if (command == "set-item" && argc == 5) {
    const HWND dialog = WaitDialog(argv[2], 10000);
    return dialog && SetDlgItemTextA(dialog, std::atoi(argv[3]), argv[4]) ? 0 : 1;
  }
  std::fprintf(stderr, "driver: unknown command\n");
  return 2;
}
