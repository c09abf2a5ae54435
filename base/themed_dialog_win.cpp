#include "base/themed_dialog_win.h"

#include <string>

#include "base/file_io_win.h"

namespace {

const char NOT_OPENED_TEXT[] = "Pellomar could not open this window:\n";
const char NOT_OPENED_CAPTION[] = "Pellomar";

// Made from the manifest on first use; INVALID_HANDLE_VALUE, and plain controls, where
// the system cannot make it.
HANDLE DialogActivationContext() {
  static HANDLE context = [] {
    char path[PATH_BYTES];
    const DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    if (length == 0 || length >= sizeof path) return INVALID_HANDLE_VALUE;
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path;
    request.hModule = GetModuleHandleA(NULL);
    request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
    return CreateActCtxA(&request);
  }();
  return context;
}

// The dialog's controls are made while the context is active and keep its classes.
template <typename Open>
auto WithDialogTheme(Open open) {
  ULONG_PTR cookie = 0;
  const HANDLE context = DialogActivationContext();
  const bool active = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie);
  const auto result = open();
  if (active) DeactivateActCtx(0, cookie);
  return result;
}

// A dialog is never left out silently (memory exhausted, a control's class missing).
void TellDialogNotOpened(HWND owner) {
  const std::string text = NOT_OPENED_TEXT + SystemErrorText(GetLastError());
  MessageBoxA(owner, text.c_str(), NOT_OPENED_CAPTION, MB_ICONWARNING);
}

}  // namespace

INT_PTR ShowThemedDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
  const INT_PTR result = WithDialogTheme([&] {
    return DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
  });
  if (result == -1) TellDialogNotOpened(owner);
  return result;
}

HWND CreateThemedDialog(int templateId, HWND owner, DLGPROC procedure) {
  const HWND dialog = WithDialogTheme(
      [&] { return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), owner, procedure, 0); });
  if (!dialog) TellDialogNotOpened(owner);
  return dialog;
}
