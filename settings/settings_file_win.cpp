#include "settings/settings_win.h"

#include <cstring>
#include <string>

#include "base/code_page_win.h"
#include "base/data_folder_win.h"
#include "base/file_io_win.h"
#include "settings/settings_codec.h"

namespace {

template <size_t N>
void ConvertFromFile(char (&field)[N]) {
  std::string text = field;
  ConvertTextFromFile(text, N - 1);
  std::memcpy(field, text.c_str(), text.size() + 1);
}

}  // namespace

DWORD LoadSettings() {
  std::vector<uint8_t> file;
  std::string path;
  const DWORD error = ReadDataFile(SETTINGS_FILE, file, path);
  if (error != ERROR_SUCCESS) return FileIsAbsent(error) ? ERROR_SUCCESS : error;
  DecodeSettings(file.data(), file.size(), appSettings);
  ConvertFromFile(appSettings.skinPath);
  ConvertFromFile(appSettings.editFont.faceName);
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
