#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

// The calls whose effects cannot be taken back. Everything the program launches goes
// through here, so the Win32 tests can put recorders in place before any window exists.
struct IrreversibleCalls {
  decltype(&ShellExecuteA) shellExecute;
};

extern IrreversibleCalls irreversibleCalls;
