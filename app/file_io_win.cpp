#include "app/file_io_win.h"

#include <cstring>

bool ReadFileStart(const char* name, void* buffer, DWORD capacity, DWORD* bytesRead) {
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  *bytesRead = 0;
  const BOOL read = ReadFile(file, buffer, capacity, bytesRead, NULL);
  CloseHandle(file);
  return read != FALSE;
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
