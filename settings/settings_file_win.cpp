#include "settings/settings_codec.h"
#include "settings/settings_win.h"

#include "base/data_folder_win.h"
#include "base/file_io_win.h"

DWORD LoadSettings() {
  std::vector<uint8_t> file;
  const DWORD error = ReadFileContents(DataFileToRead(SETTINGS_FILE).c_str(), file);
  if (error != ERROR_SUCCESS) return FileIsAbsent(error) ? ERROR_SUCCESS : error;
  DecodeSettings(file.data(), file.size(), appSettings);
  return ERROR_SUCCESS;
}

DWORD SaveSettings(POINT barTopLeft) {
  AppSettings saved = appSettings;
  saved.windowLeft = barTopLeft.x;
  saved.windowTop = barTopLeft.y;
  uint8_t file[SETTINGS_FILE_SIZE];
  EncodeSettings(saved, file);
  return WriteDataFile(SETTINGS_FILE, file, sizeof file);
}
