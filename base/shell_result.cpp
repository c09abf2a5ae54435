#include "base/shell_result.h"

namespace {

// The shell's codes whose numbers are not the system error they stand for, with it.
const uint32_t SHELL_CODES[][2] = {
    {0, 8},      // out of memory: ERROR_NOT_ENOUGH_MEMORY
    {26, 32},    // SE_ERR_SHARE: ERROR_SHARING_VIOLATION
    {27, 1155},  // SE_ERR_ASSOCINCOMPLETE: ERROR_NO_ASSOCIATION
    {28, 1156},  // SE_ERR_DDETIMEOUT: ERROR_DDE_FAIL
    {29, 1156},  // SE_ERR_DDEFAIL
    {30, 1156},  // SE_ERR_DDEBUSY
    {31, 1155},  // SE_ERR_NOASSOC
    {32, 1157},  // SE_ERR_DLLNOTFOUND: ERROR_DLL_NOT_FOUND
};

}  // namespace

uint32_t SystemErrorOfShellResult(uintptr_t result) {
  if (result > 32) return 0;
  for (const auto& code : SHELL_CODES)
    if (code[0] == result) return code[1];
  // File and path not found, access denied, bad format: the system's own numbers.
  return static_cast<uint32_t>(result);
}
