#include "base/file_io_win.h"

#include <cstring>

namespace {

// A file opened to be read while others may read, write or remove it, and its size; else
// INVALID_HANDLE_VALUE, with the system's reason as the last error.
HANDLE OpenToRead(const char* path, LARGE_INTEGER& size) {
  const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE || GetFileSizeEx(file, &size)) return file;
  const DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

DWORD ReadFileContents(const char* path, std::vector<uint8_t>& contents) {
  contents.clear();
  LARGE_INTEGER size;
  const HANDLE file = OpenToRead(path, size);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = ERROR_SUCCESS;
  if (size.QuadPart > MAXDWORD) {
    // Our files are small; one that claims more than a read can take is not ours.
    error = ERROR_FILE_TOO_LARGE;
  } else {
    contents.resize(static_cast<size_t>(size.QuadPart));
    DWORD bytesRead = 0;
    if (!ReadFile(file, contents.data(), static_cast<DWORD>(contents.size()), &bytesRead, NULL)) {
      error = GetLastError();
    } else if (bytesRead != contents.size()) {
      error = ERROR_HANDLE_EOF;  // it shrank while being read
    }
  }
  CloseHandle(file);
  if (error != ERROR_SUCCESS) contents.clear();
  return error;
}

DWORD OpenFileView(const char* path, FileView& view) {
  view = FileView{};
  LARGE_INTEGER size;
  const HANDLE file = OpenToRead(path, size);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = ERROR_SUCCESS;
  if (size.QuadPart > 0) {  // an empty file cannot be mapped, and needs no view
    // The view keeps what it needs of the mapping and the file, which are closed at once.
    // A file larger than the address space is refused by the system.
    const HANDLE mapping = CreateFileMappingA(file, NULL, PAGE_READONLY, 0, 0, NULL);
    const void* seen = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : NULL;
    if (seen)
      view = {static_cast<const uint8_t*>(seen), static_cast<size_t>(size.QuadPart)};
    else
      error = GetLastError();
    if (mapping) CloseHandle(mapping);
  }
  CloseHandle(file);
  return error;
}

void CloseFileView(FileView& view) {
  if (view.data) UnmapViewOfFile(view.data);
  view = FileView{};
}

bool FileHolds(const char* path, const void* data, size_t size) {
  WIN32_FILE_ATTRIBUTE_DATA file;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &file) || file.nFileSizeHigh != 0 || file.nFileSizeLow != size)
    return false;
  FileView view;
  const bool holds = OpenFileView(path, view) == ERROR_SUCCESS && view.size == size &&
                     (size == 0 || std::memcmp(view.data, data, size) == 0);
  CloseFileView(view);
  return holds;
}

bool FileIsAbsent(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WriteIsRefused(DWORD error) {
  // A network share answers with one of its own.
  return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_NETWORK_ACCESS_DENIED;
}

DWORD ReplaceFileContents(const char* path, const void* data, DWORD size) {
  // Of any length in bytes: the system judges the path's length in characters.
  const std::string temporary = std::string(path) + ".new";
  const char* temporaryPath = temporary.c_str();
  const HANDLE file = CreateFileA(temporaryPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD written = 0;
  // Flushed before the move, so that a crash or power cut can never leave a short file
  // under the real name.
  const bool complete = WriteFile(file, data, size, &written, NULL) && written == size && FlushFileBuffers(file);
  DWORD error = complete ? ERROR_SUCCESS : GetLastError();
  if (!complete && error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
  CloseHandle(file);
  if (complete && !MoveFileExA(temporaryPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != ERROR_SUCCESS) DeleteFileA(temporaryPath);
  return error;
}

std::string SystemErrorText(DWORD error) {
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text,
                                sizeof text, NULL);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) --length;
  if (length == 0) return "Error " + std::to_string(error) + ".";
  return std::string(text, length);
}
