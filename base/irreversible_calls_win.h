#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

// The calls whose effects cannot be taken back: launching through the shell and ending
// the Windows session, with the privilege step that the latter needs. Everything goes
// through here, so the Win32 tests can put recorders in place before any window exists.
struct IrreversibleCalls {
  decltype(&ShellExecuteA) shellExecute;
  decltype(&ExitWindowsEx) exitWindows;
  void (*enableShutdownPrivilege)(bool enable);
};

extern IrreversibleCalls irreversibleCalls;
