#include "keys/key_file_win.h"

#include <string>

#include "base/code_page_win.h"
#include "base/data_folder_win.h"
#include "base/file_io_win.h"
#include "keys/key_file.h"

namespace {

const char WRONG_VERSION_TEXT[] = "Key Entry file is an incorrect version... skipping";

void ConvertFromFile(KeyEntry& entry) {
  for (std::string* text : {&entry.key, &entry.command, &entry.parameters})
    ConvertTextFromFile(*text, MAX_KEY_TEXT_LENGTH);
  for (KeyReplacement& pair : entry.replacements) {
    ConvertTextFromFile(pair.from, MAX_KEY_TEXT_LENGTH);
    ConvertTextFromFile(pair.to, MAX_KEY_TEXT_LENGTH);
  }
}

}  // namespace

KeyFileLoad LoadKeyEntries() {
  std::vector<uint8_t> file;
  std::string path;
  const DWORD error = ReadDataFile(KEY_ENTRIES_FILE, file, path);
  if (error != ERROR_SUCCESS) return {FileIsAbsent(error) ? KeyFileTrouble::None : KeyFileTrouble::Unreadable, error};
  const size_t firstNew = keyEntryStore.entries.size();
  const KeyFileRead result = DecodeKeyEntries(file.data(), file.size(), keyEntryStore);
  for (size_t i = firstNew; i < keyEntryStore.entries.size(); ++i) ConvertFromFile(keyEntryStore.entries[i]);
  if (result == KeyFileRead::Whole) return {KeyFileTrouble::None, ERROR_SUCCESS};
  // Kept aside where the files are written: beside a read-only executable it could never be.
  const DWORD copyError = CopyToDataFolder(path, (std::string(KEY_ENTRIES_FILE) + BACKUP_SUFFIX).c_str());
  if (result == KeyFileRead::WrongVersion) MessageBoxA(NULL, WRONG_VERSION_TEXT, NULL, MB_OK);
  return {copyError == ERROR_SUCCESS ? KeyFileTrouble::None : KeyFileTrouble::NotKeptAside, copyError};
}

DWORD SaveKeyEntries() {
  const std::vector<uint8_t> file = EncodeKeyEntries(keyEntryStore);
  return WriteDataFile(KEY_ENTRIES_FILE, file.data(), static_cast<DWORD>(file.size()));
}
