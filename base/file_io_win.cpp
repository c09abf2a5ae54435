#include "base/file_io_win.h"

#include <cstring>

bool ReadFileContents(const char* name, std::vector<uint8_t>& contents) {
  contents.clear();
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  // Our files are small; one that claims more than a read can take is not ours.
  bool read = GetFileSizeEx(file, &size) && size.QuadPart <= MAXDWORD;
  if (read) {
    contents.resize(static_cast<size_t>(size.QuadPart));
    DWORD bytesRead = 0;
    read = ReadFile(file, contents.data(), static_cast<DWORD>(contents.size()), &bytesRead, NULL);
    contents.resize(read ? bytesRead : 0);
  }
  CloseHandle(file);
  return read;
}

bool ReplaceFileContents(const char* name, const void* data, DWORD size) {
  static const char TEMPORARY_SUFFIX[] = ".new";
  const size_t nameLength = strlen(name);
  char temporaryName[MAX_PATH];
  if (nameLength + sizeof TEMPORARY_SUFFIX > sizeof temporaryName) return false;
  memcpy(temporaryName, name, nameLength);
  memcpy(temporaryName + nameLength, TEMPORARY_SUFFIX, sizeof TEMPORARY_SUFFIX);

  HANDLE file = CreateFileA(temporaryName, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  // Flushed before the move, so that a crash or power cut can never leave a short file
  // under the real name.
  const bool complete = WriteFile(file, data, size, &written, NULL) && written == size && FlushFileBuffers(file);
  CloseHandle(file);
  if (complete && MoveFileExA(temporaryName, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(temporaryName);
  return false;
}
