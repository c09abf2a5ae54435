#pragma once
#include <cstdint>

// The system error that a result of the shell's ShellExecute stands for: 0 for a launch
// that worked (a result above 32), the matching system error for the shell's own codes
// of 32 and less, whose numbers mostly mean something else as system errors.
uint32_t SystemErrorOfShellResult(uintptr_t result);
