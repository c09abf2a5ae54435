#pragma once
#include <windows.h>

// Typed from the function's own declaration, e.g. decltype(ShellExecuteA).
template <typename Function>
Function* FunctionOf(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through a plain function pointer: GetProcAddress's own type would not convert
  // without a warning.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// A function of a system library, looked up when first needed, so that start-up does not
// pay for libraries that only some commands use. Null when the system lacks it.
template <typename Function>
Function* LoadSystemFunction(const char* library, const char* name) {
  return FunctionOf<Function>(LoadLibraryA(library), name);
}

// Breaks off a read of the thread's that a network share does not answer, where the
// system can (Windows Vista on).
void BreakOffThreadIo(HANDLE thread);

// Makes every library the program loads by name come from the system folder only, never
// from the program's own folder, where anyone who can write there could plant one. Has
// no effect on systems without the means.
void LoadLibrariesOnlyFromSystemFolder();
