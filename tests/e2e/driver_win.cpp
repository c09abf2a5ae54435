// Drives a running Pellomar from outside, as another program of the same Wine prefix.
// Each command prints what it found on one line and exits 0, or exits 1 when what it
// waits for does not come within the given milliseconds.
//
//   driver wait-bar MS               the bar's rectangle, once it is visible
//   driver bar-info                  left top right bottom visible exstyle alpha
//   driver close-bar                 asks the bar to close, as the system would
//   driver command ID                the bar's menu command ID, as if chosen
//   driver end-session               tells the bar the Windows session ends, then ends
//                                    its process as Windows does
//   driver answer-box CAPTION MS     the text of a message box, which it then answers OK
//   driver set-item CAPTION ID TEXT  sets the text of a control of the dialog so captioned
//   driver click-item CAPTION ID     clicks a button of the dialog so captioned
//   driver run-value                 the "Run" value that starts Pellomar at log-on
//   driver work-area                 left top right bottom of the desktop's work area
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND FindBar() {
  return FindWindowA("parentwindow", NULL);
}

template <typename Found>
HWND WaitFor(Found found, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = found()) return window;
    if (GetTickCount() - start >= milliseconds) return NULL;
    Sleep(20);
  }
}

int WaitBar(DWORD milliseconds) {
  const HWND bar = WaitFor(
      [] {
        const HWND window = FindBar();
        return window && IsWindowVisible(window) ? window : NULL;
      },
      milliseconds);
  if (!bar) return 1;
  RECT rect;
  GetWindowRect(bar, &rect);
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int BarInfo() {
  const HWND bar = FindBar();
  if (!bar) return 1;
  RECT rect;
  GetWindowRect(bar, &rect);
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(bar, NULL, &alpha, &flags);
  std::printf("%ld %ld %ld %ld %d 0x%08lx %d\n", rect.left, rect.top, rect.right, rect.bottom,
              IsWindowVisible(bar) ? 1 : 0, static_cast<unsigned long>(GetWindowLongA(bar, GWL_EXSTYLE)), alpha);
  return 0;
}

int CloseBar() {
  const HWND bar = FindBar();
  return bar && PostMessageA(bar, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Command(WPARAM id) {
  const HWND bar = FindBar();
  return bar && PostMessageA(bar, WM_COMMAND, id, 0) ? 0 : 1;
}

int EndSession() {
  const HWND bar = FindBar();
  if (!bar) return 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(bar, &processId);
  SendMessageA(bar, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  SendMessageA(bar, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
  if (!process) return 1;
  TerminateProcess(process, 0);
  CloseHandle(process);
  return 0;
}

int AnswerBox(const char* caption, DWORD milliseconds) {
  const HWND box = WaitFor([caption] { return FindWindowA("#32770", caption); }, milliseconds);
  if (!box) return 1;
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text control
  std::printf("%s\n", text);
  const HWND bar = FindBar();
  std::printf("bar visible: %d\n", bar && IsWindowVisible(bar) ? 1 : 0);
  std::fflush(stdout);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

HWND WaitDialog(const char* caption) {
  return WaitFor([caption] { return FindWindowA("#32770", caption); }, 10000);
}

int SetItem(const char* caption, int id, const char* text) {
  const HWND dialog = WaitDialog(caption);
  return dialog && SetDlgItemTextA(dialog, id, text) ? 0 : 1;
}

int ClickItem(const char* caption, int id) {
  const HWND dialog = WaitDialog(caption);
  const HWND button = dialog ? GetDlgItem(dialog, id) : NULL;
  return button && PostMessageA(button, BM_CLICK, 0, 0) ? 0 : 1;
}

int RunValue() {
  char value[1024] = {};
  DWORD size = sizeof value;
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", &key) == ERROR_SUCCESS) {
    if (RegQueryValueExA(key, "pellomar.exe", NULL, NULL, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
      std::strcpy(value, "<none>");
    RegCloseKey(key);
  }
  std::printf("%s\n", value);
  return 0;
}

int WorkArea() {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  std::printf("%ld %ld %ld %ld\n", area.left, area.top, area.right, area.bottom);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* command = argc > 1 ? argv[1] : "";
  // Milliseconds to wait, or a command id: always the last argument.
  const DWORD number = argc > 2 ? std::strtoul(argv[argc - 1], NULL, 10) : 0;
  if (!std::strcmp(command, "wait-bar") && argc == 3) return WaitBar(number);
  if (!std::strcmp(command, "bar-info")) return BarInfo();
  if (!std::strcmp(command, "close-bar")) return CloseBar();
  if (!std::strcmp(command, "command") && argc == 3) return Command(number);
  if (!std::strcmp(command, "end-session")) return EndSession();
  if (!std::strcmp(command, "answer-box") && argc == 4) return AnswerBox(argv[2], number);
  if (!std::strcmp(command, "set-item") && argc == 5) return SetItem(argv[2], std::atoi(argv[3]), argv[4]);
  if (!std::strcmp(command, "click-item") && argc == 4) return ClickItem(argv[2], std::atoi(argv[3]));
  if (!std::strcmp(command, "run-value")) return RunValue();
  if (!std::strcmp(command, "work-area")) return WorkArea();
  std::fprintf(stderr, "driver: unknown command\n");
  return 2;
}
