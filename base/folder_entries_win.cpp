#include "base/folder_entries_win.h"

#include <cwchar>

bool IsOnOwnDrive(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/')) return false;
  const UINT type = GetDriveTypeW(path.substr(0, 3).c_str());
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

FolderEntries::FolderEntries(const std::wstring& pattern) {
  // The basic information in large batches where the system offers it (Windows 7 on).
  search_ = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, NULL,
                             FIND_FIRST_EX_LARGE_FETCH);
  if (search_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
    search_ = FindFirstFileW(pattern.c_str(), &found);
  first_ = true;
}

FolderEntries::~FolderEntries() {
  if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
}

bool FolderEntries::Next() {
  if (search_ == INVALID_HANDLE_VALUE) return false;
  for (;;) {
    if (!first_ && !FindNextFileW(search_, &found)) return false;
    first_ = false;
    if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0) return true;
  }
}
