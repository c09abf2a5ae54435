#include "countdown/shutdown_win.h"

#include <cstring>

#include "base/app_state_win.h"
#include "base/irreversible_calls_win.h"
#include "countdown/shutdown.h"
#include "settings/app_settings.h"

static_assert(EXIT_LOGOFF == EWX_LOGOFF && EXIT_SHUTDOWN == EWX_SHUTDOWN && EXIT_REBOOT == EWX_REBOOT &&
                  EXIT_FORCE == EWX_FORCE && EXIT_POWEROFF == EWX_POWEROFF,
              "the exit flags are the system's");

namespace {

const char QUESTION_CAPTION[] = "Pellomar";
const char LOG_OFF_QUESTION[] = "Log off Windows now?";
const char RESTART_QUESTION[] = "Restart the computer now?";
const char SHUT_DOWN_QUESTION[] = "Shut the computer down now?";
const char FORCED_SHUT_DOWN_QUESTION[] =
    "Shut the computer down now, without letting programs ask to save their work?";

const char* QuestionFor(UINT flags) {
  if (flags & EWX_FORCE) return FORCED_SHUT_DOWN_QUESTION;
  if (flags & (EWX_POWEROFF | EWX_SHUTDOWN)) return SHUT_DOWN_QUESTION;
  return flags & EWX_REBOOT ? RESTART_QUESTION : LOG_OFF_QUESTION;
}

// Only the NT family knows privileges; there the process must hold the shutdown one.
bool SystemHasPrivileges() {
  char os[128];
  const DWORD length = GetEnvironmentVariableA("OS", os, sizeof os);
  return length > 0 && length < sizeof os && std::strcmp(os, "Windows_NT") == 0;
}

}  // namespace

void RunSystemCommand(std::string_view parameters) {
  const auto flags = SystemCommandExitFlags(parameters);
  if (!flags) return;
  // Where the user wants it, a slip of the fingers never ends the session with work open:
  // Enter answers Cancel.
  if (appSettings.askBeforeSessionEnd &&
      MessageBoxA(appState.mainWindow, QuestionFor(*flags), QUESTION_CAPTION,
                  MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDOK)
    return;
  ExitSystem(*flags);
}

void ExitSystem(UINT flags) {
  SendMessageA(appState.mainWindow, WM_SAVE_FILES, 0, 0);
  const bool privileges = SystemHasPrivileges();
  if (privileges) irreversibleCalls.enableShutdownPrivilege(true);
  if (!irreversibleCalls.exitWindows(flags, 0) && (flags & EWX_POWEROFF))
    irreversibleCalls.exitWindows(EWX_SHUTDOWN, 0);
  if (privileges) irreversibleCalls.enableShutdownPrivilege(false);
}
