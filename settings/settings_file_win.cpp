#include "settings/settings_codec.h"
#include "settings/settings_win.h"

#include "base/file_io_win.h"

bool LoadSettings() {
  std::vector<uint8_t> file;
  if (!ReadFileContents(SETTINGS_FILE, file)) return false;
  DecodeSettings(file.data(), file.size(), appSettings);
  return true;
}

bool SaveSettings(POINT barTopLeft) {
  AppSettings saved = appSettings;
  saved.windowLeft = barTopLeft.x;
  saved.windowTop = barTopLeft.y;
  uint8_t file[SETTINGS_FILE_SIZE];
  EncodeSettings(saved, file);
  return ReplaceFileContents(SETTINGS_FILE, file, sizeof file);
}
