#include "keys/key_file_win.h"

#include <windows.h>

#include "base/file_io_win.h"
#include "keys/key_file.h"

namespace {

const char WRONG_VERSION_TEXT[] = "Key Entry file is an incorrect version... skipping";

}  // namespace

void LoadKeyEntries() {
  std::vector<uint8_t> file;
  if (!ReadFileContents(KEY_ENTRIES_FILE, file)) return;
  const KeyFileRead result = DecodeKeyEntries(file.data(), file.size(), keyEntryStore);
  if (result == KeyFileRead::Whole) return;
  CopyFileA(KEY_ENTRIES_FILE, KEY_ENTRIES_BACKUP_FILE, FALSE);
  if (result == KeyFileRead::WrongVersion) MessageBoxA(NULL, WRONG_VERSION_TEXT, NULL, MB_OK);
}

bool SaveKeyEntries() {
  const std::vector<uint8_t> file = EncodeKeyEntries(keyEntryStore);
  return ReplaceFileContents(KEY_ENTRIES_FILE, file.data(), static_cast<DWORD>(file.size()));
}
