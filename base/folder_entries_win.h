#pragma once
#include <windows.h>

#include <string>

// Whether a path lies on one of this computer's own drives (a fixed disk or a RAM disk),
// where reading it never waits for a network share that may not answer.
bool IsOnOwnDrive(const std::wstring& path);

// The entries of a folder, "." and ".." left out, one by one, in the order the file
// system gives them:
//   for (FolderEntries entries(folder + L"\\*"); entries.Next();) Use(entries.found);
struct FolderEntries {
  explicit FolderEntries(const std::wstring& pattern);
  ~FolderEntries();
  FolderEntries(const FolderEntries&) = delete;
  FolderEntries& operator=(const FolderEntries&) = delete;

  // Moves to the next entry; false after the last, or where the folder cannot be read.
  bool Next();

  WIN32_FIND_DATAW found;

 private:
  HANDLE search_;
  bool first_;
};
