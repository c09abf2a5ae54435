#include "base/common_dialogs_win.h"
// After windows.h, which it needs.
#include <cderr.h>

#include <cstddef>
#include <string>

#include "base/system_library_win.h"

#if !defined(_WIN64)
// OPENFILENAME_SIZE_VERSION_400A, which the compiler cannot evaluate in a constant.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "the classic file chooser record is 76 bytes on 32-bit Windows");
#endif

namespace {

const char COMMON_DIALOGS_LIBRARY[] = "comdlg32.dll";
const char CHOOSER_FAILED_CAPTION[] = "Pellomar";
const char LIBRARY_MISSING_TEXT[] = "The system's choosers could not be loaded (comdlg32.dll).";
const char NAME_TOO_LONG_TEXT[] = "The chosen file's path is too long.";
const char CHOOSER_FAILED_TEXT[] = "The chooser failed with the system's code ";

// A chooser that chose nothing: a cancel is the user's answer, anything else is told.
void TellIfFailed(HWND owner, bool loaded) {
  static const auto extendedError =
      LoadSystemFunction<decltype(CommDlgExtendedError)>(COMMON_DIALOGS_LIBRARY, "CommDlgExtendedError");
  const DWORD error = loaded && extendedError ? extendedError() : 0;
  if (loaded && error == 0) return;
  const std::string text = !loaded                         ? LIBRARY_MISSING_TEXT
                           : error == FNERR_BUFFERTOOSMALL ? NAME_TOO_LONG_TEXT
                                                           : CHOOSER_FAILED_TEXT + std::to_string(error) + ".";
  MessageBoxA(owner, text.c_str(), CHOOSER_FAILED_CAPTION, MB_ICONWARNING);
}

template <typename Chooser, typename Request>
BOOL Choose(Chooser* chooser, Request* request) {
  if (chooser && chooser(request)) return TRUE;
  TellIfFailed(request->hwndOwner, chooser != nullptr);
  return FALSE;
}

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
  return Choose(open, request);
}

BOOL ChooseFileToSave(OPENFILENAMEA* request) {
  static const auto save = LoadSystemFunction<decltype(GetSaveFileNameA)>(COMMON_DIALOGS_LIBRARY, "GetSaveFileNameA");
  return Choose(save, request);
}

BOOL ChooseFontFor(CHOOSEFONTA* request) {
  static const auto choose = LoadSystemFunction<decltype(ChooseFontA)>(COMMON_DIALOGS_LIBRARY, "ChooseFontA");
  return Choose(choose, request);
}

BOOL ChooseColorFor(CHOOSECOLORA* request) {
  static const auto choose = LoadSystemFunction<decltype(ChooseColorA)>(COMMON_DIALOGS_LIBRARY, "ChooseColorA");
  return Choose(choose, request);
}
