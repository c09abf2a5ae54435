#include "app/user_files_win.h"

#include <windows.h>

#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "keys/key_file_win.h"
#include "settings/settings_win.h"

void SaveFilesBeforeSessionEnds() {
  RECT bar;
  GetWindowRect(appState.mainWindow, &bar);
  SetWorkingDirectoryToExe();
  SaveSettings({bar.left, bar.top});
  SaveKeyEntries();
}

void SaveKeyEntriesAtExit() {
  SetWorkingDirectoryToExe();
  SaveKeyEntries();
}
