#include "base/system_library_win.h"

void BreakOffThreadIo(HANDLE thread) {
  static const auto cancelIo =
      FunctionOf<decltype(CancelSynchronousIo)>(GetModuleHandleA("kernel32.dll"), "CancelSynchronousIo");
  if (cancelIo) cancelIo(thread);
}

void LoadLibrariesOnlyFromSystemFolder() {
  // Looked up, so that the program still starts where the function is missing.
  const auto setDefaultDirectories =
      FunctionOf<decltype(SetDefaultDllDirectories)>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefaultDirectories) setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
