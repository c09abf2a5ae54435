#include "about/about_win.h"

#include "base/exe_folder_win.h"
#include "base/shell_launch_win.h"
#include "base/themed_dialog_win.h"
#include "resources/resource.h"

void OpenHelpFile(HWND owner) {
  // Beside the executable, wherever a file chooser has left the working directory.
  const std::string path = ExeFolder() + HELP_FILE;
  if (const DWORD error = OpenWithShell(owner, "open", path.c_str(), "", SW_SHOWNORMAL)) TellNotOpened(path, error);
}

namespace {

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (wParam != IDOK && wParam != IDCANCEL) return FALSE;
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowAboutDialog(HWND owner) {
  ShowThemedDialog(IDD_ABOUT, owner, AboutDialogProc);
}
