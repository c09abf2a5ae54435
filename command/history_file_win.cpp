#include "command/history_file_win.h"

#include <string>
#include <vector>

#include "base/code_page_win.h"
#include "base/data_folder_win.h"
#include "base/file_io_win.h"
#include "command/history_file.h"
#include "settings/app_settings.h"

DWORD LoadTypedLines() {
  std::vector<uint8_t> file;
  const DWORD error = ReadFileContents(DataFileToRead(HISTORY_FILE).c_str(), file);
  if (error != ERROR_SUCCESS) return FileIsAbsent(error) ? ERROR_SUCCESS : error;
  // Written in the legacy code page where Windows ignored the manifest, read in UTF-8 now.
  std::string text(file.begin(), file.end());
  ConvertTextFromFile(text, std::string::npos);
  typedLineHistory = DecodeHistory(text);
  return ERROR_SUCCESS;
}

DWORD SaveTypedLines() {
  if (!appSettings.rememberTypedLines) return ERROR_SUCCESS;
  const std::string file = EncodeHistory(typedLineHistory);
  return WriteDataFile(HISTORY_FILE, file.data(), static_cast<DWORD>(file.size()));
}

void ForgetTypedLines() {
  typedLineHistory.Forget();
  DeleteDataFile(HISTORY_FILE);
}
