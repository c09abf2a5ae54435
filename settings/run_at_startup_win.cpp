#include "settings/settings_win.h"

#include "base/file_io_win.h"

namespace {

const char RUN_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char RUN_VALUE_NAME[] = "pellomar.exe";

}  // namespace

void SetRunAtStartup(bool enable) {
  HKEY runKey;
  if (RegOpenKeyA(HKEY_CURRENT_USER, RUN_KEY, &runKey) != ERROR_SUCCESS) return;
  if (enable) {
    // Quoted, so that a path with blanks cannot be read as another program followed by
    // arguments.
    char command[PATH_BYTES + 2] = "\"";  // quoted
    const DWORD capacity = sizeof command - 2;
    const DWORD length = GetModuleFileNameA(NULL, command + 1, capacity);
    if (length > 0 && length < capacity) {
      command[length + 1] = '"';
      command[length + 2] = '\0';
      RegSetValueExA(runKey, RUN_VALUE_NAME, 0, REG_SZ, reinterpret_cast<const BYTE*>(command), length + 3);
    }
  } else {
    RegDeleteValueA(runKey, RUN_VALUE_NAME);
  }
  RegCloseKey(runKey);
}
