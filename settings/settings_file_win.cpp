#include "settings/settings_codec.h"
#include "settings/settings_win.h"

#include "app/app_state_win.h"
#include "app/file_io_win.h"

bool LoadSettings() {
  uint8_t file[SETTINGS_FILE_SIZE];
  DWORD size = 0;
  if (!ReadFileStart(SETTINGS_FILE, file, sizeof file, &size)) return false;
  DecodeSettings(file, size, appSettings);
  return true;
}

bool SaveSettings() {
  AppSettings saved = appSettings;
  RECT window;
  if (GetWindowRect(appState.mainWindow, &window)) {
    saved.windowLeft = window.left;
    saved.windowTop = window.top;
  }
  uint8_t file[SETTINGS_FILE_SIZE];
  EncodeSettings(saved, file);
  return ReplaceFileContents(SETTINGS_FILE, file, sizeof file);
}
