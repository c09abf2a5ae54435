#include "base/common_dialogs_win.h"

#include <cstddef>

#include "base/system_library_win.h"

#if !defined(_WIN64)
// OPENFILENAME_SIZE_VERSION_400A, which the compiler cannot evaluate in a constant.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "the classic file chooser record is 76 bytes on 32-bit Windows");
#endif

namespace {

const char COMMON_DIALOGS_LIBRARY[] = "comdlg32.dll";

}  // namespace

OPENFILENAMEA FileChooserRequest(HWND owner, const char* filter, char* path, DWORD capacity) {
  OPENFILENAMEA request = {};
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = owner;
  request.lpstrFilter = filter;
  request.lpstrFile = path;
  request.nMaxFile = capacity;
  return request;
}

BOOL ChooseFileToOpen(OPENFILENAMEA* request) {
  static const auto open = LoadSystemFunction<decltype(GetOpenFileNameA)>(COMMON_DIALOGS_LIBRARY, "GetOpenFileNameA");
  return open && open(request);
}

BOOL ChooseFileToSave(OPENFILENAMEA* request) {
  static const auto save = LoadSystemFunction<decltype(GetSaveFileNameA)>(COMMON_DIALOGS_LIBRARY, "GetSaveFileNameA");
  return save && save(request);
}

BOOL ChooseFontFor(CHOOSEFONTA* request) {
  static const auto choose = LoadSystemFunction<decltype(ChooseFontA)>(COMMON_DIALOGS_LIBRARY, "ChooseFontA");
  return choose && choose(request);
}

BOOL ChooseColorFor(CHOOSECOLORA* request) {
  static const auto choose = LoadSystemFunction<decltype(ChooseColorA)>(COMMON_DIALOGS_LIBRARY, "ChooseColorA");
  return choose && choose(request);
}
