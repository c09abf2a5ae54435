// The yardstick for Pellomar's start-up and memory: the least a Win32 program can do to
// show a painted 260 x 32 popup. Built with the same flags as the program.
#include <windows.h>

namespace {

LRESULT CALLBACK BaselineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(hwnd, &paint);
      FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = BaselineProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
  windowClass.lpszClassName = "baselinewindow";
  RegisterClassExA(&windowClass);
  const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "baselinewindow", "Baseline", WS_POPUP, 0, 0,
                                      260, 32, NULL, NULL, instance, NULL);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
