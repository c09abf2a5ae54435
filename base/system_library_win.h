#pragma once
#include <windows.h>

// A function of a system library, looked up when first needed, so that start-up does not
// pay for libraries that only some commands use. Null when the system lacks it.
template <typename Function>
Function* LoadSystemFunction(const char* library, const char* name) {
  const HMODULE module = LoadLibraryA(library);
  if (!module) return nullptr;
  // Through a plain function pointer: GetProcAddress's own type would not convert
  // without a warning.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
