// Holds Ctrl+Alt+K, as another program that took the key first would, until it is ended.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'K')) return 1;
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
