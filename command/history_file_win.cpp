#include "command/history_file_win.h"

#include <string>
#include <vector>

#include "base/code_page_win.h"
#include "base/data_folder_win.h"
#include "base/file_io_win.h"
#include "command/history_file.h"
#include "settings/app_settings.h"

namespace {

const char NOT_DELETED_CAPTION[] = "Pellomar";
const char NOT_DELETED_TEXT[] = "Pellomar could not delete \"history.txt\" in ";
const char NOT_DELETED_CONSEQUENCE[] =
    "\n\nIts lines come back if Remember typed lines is checked again. Delete the file to be rid of them.";

}  // namespace

DWORD LoadTypedLines() {
  std::vector<uint8_t> file;
  std::string path;
  const DWORD error = ReadDataFile(HISTORY_FILE, file, path);
  if (error != ERROR_SUCCESS) return FileIsAbsent(error) ? ERROR_SUCCESS : error;
  // Written in the legacy code page where Windows ignored the manifest, read in UTF-8 now.
  typedLineHistory = DecodeHistory({reinterpret_cast<const char*>(file.data()), file.size()},
                                   [](std::string& line) { ConvertTextFromFile(line, std::string::npos); });
  return ERROR_SUCCESS;
}

DWORD SaveTypedLines() {
  if (!appSettings.rememberTypedLines) return ERROR_SUCCESS;
  const std::string file = EncodeHistory(typedLineHistory);
  return WriteDataFile(HISTORY_FILE, file.data(), static_cast<DWORD>(file.size()));
}

void ForgetTypedLines(HWND owner) {
  typedLineHistory.Forget();
  std::string folder;
  const DWORD error = DeleteDataFile(HISTORY_FILE, folder);
  if (error == ERROR_SUCCESS) return;
  const std::string text = NOT_DELETED_TEXT + folder + ":\n" + SystemErrorText(error) + NOT_DELETED_CONSEQUENCE;
  MessageBoxA(owner, text.c_str(), NOT_DELETED_CAPTION, MB_ICONWARNING);
}
