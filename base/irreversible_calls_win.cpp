#include "base/irreversible_calls_win.h"

#include "base/system_library_win.h"

namespace {

// The shell library, and the common controls it brings along, load at the first launch
// rather than at start-up.
HINSTANCE WINAPI ShellExecuteOnFirstUse(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                        INT show) {
  static const auto shellExecute = LoadSystemFunction<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  return shellExecute ? shellExecute(owner, verb, file, parameters, directory, show) : NULL;
}

}  // namespace

IrreversibleCalls irreversibleCalls = {ShellExecuteOnFirstUse};
