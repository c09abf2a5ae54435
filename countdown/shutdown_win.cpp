#include "countdown/shutdown_win.h"

#include <cstring>

#include "base/app_state_win.h"
#include "base/irreversible_calls_win.h"
#include "countdown/shutdown.h"

static_assert(EXIT_LOGOFF == EWX_LOGOFF && EXIT_SHUTDOWN == EWX_SHUTDOWN && EXIT_REBOOT == EWX_REBOOT &&
                  EXIT_FORCE == EWX_FORCE && EXIT_POWEROFF == EWX_POWEROFF,
              "the exit flags are the system's");

namespace {

// Only the NT family knows privileges; there the process must hold the shutdown one.
bool SystemHasPrivileges() {
  char os[128];
  const DWORD length = GetEnvironmentVariableA("OS", os, sizeof os);
  return length > 0 && length < sizeof os && std::strcmp(os, "Windows_NT") == 0;
}

}  // namespace

void RunSystemCommand(std::string_view parameters) {
  if (const auto flags = SystemCommandExitFlags(parameters)) ExitSystem(*flags);
}

void ExitSystem(UINT flags) {
  SendMessageA(appState.mainWindow, WM_SAVE_FILES, 0, 0);
  const bool privileges = SystemHasPrivileges();
  if (privileges) irreversibleCalls.enableShutdownPrivilege(true);
  if (!irreversibleCalls.exitWindows(flags, 0) && (flags & EWX_POWEROFF))
    irreversibleCalls.exitWindows(EWX_SHUTDOWN, 0);
  if (privileges) irreversibleCalls.enableShutdownPrivilege(false);
}
