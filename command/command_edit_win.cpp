#include "command/command_edit_win.h"

#include "app/app_state_win.h"

LRESULT CALLBACK CommandEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The bar's opacity follows the focus, in the box as much as on the skin.
      SendMessageA(GetParent(hwnd), message, 0, 0);
      break;
  }
  return CallWindowProcA(appState.commandEditBaseProc, hwnd, message, wParam, lParam);
}
