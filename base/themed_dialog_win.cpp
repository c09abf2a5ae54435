#include "base/themed_dialog_win.h"

namespace {

// Made from the manifest on first use; INVALID_HANDLE_VALUE, and plain controls, where
// the system cannot make it.
HANDLE DialogActivationContext() {
  static HANDLE context = [] {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return INVALID_HANDLE_VALUE;
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

}  // namespace

INT_PTR ShowThemedDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
  return WithDialogTheme([&] {
    return DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
  });
}

HWND CreateThemedDialog(int templateId, HWND owner, DLGPROC procedure) {
  return WithDialogTheme(
      [&] { return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), owner, procedure, 0); });
}
