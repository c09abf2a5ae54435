#include "base/exe_folder_win.h"

#include <windows.h>

#include "base/exe_folder.h"

namespace {

// Longer than MAX_PATH, for programs installed under a long path.
const DWORD MODULE_PATH_CAPACITY = 1024;

}  // namespace

std::string ExeFolder() {
  char path[MODULE_PATH_CAPACITY];
  const DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
  if (length == 0 || length >= sizeof path) return std::string();
  return std::string(path, FolderPartLength(path));
}

std::string SetWorkingDirectoryToExe() {
  std::string folder = ExeFolder();
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
  return folder;
}
