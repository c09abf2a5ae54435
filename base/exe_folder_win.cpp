#include "base/exe_folder_win.h"

#include <windows.h>

#include "base/exe_folder.h"

std::string ExeFolder() {
  char path[1024];
  const DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
  if (length == 0 || length >= sizeof path) return std::string();
  return std::string(path, FolderPartLength(path));
}

std::string SetWorkingDirectoryToExe() {
  std::string folder = ExeFolder();
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
  return folder;
}
