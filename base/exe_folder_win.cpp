#include "base/exe_folder_win.h"

#include <windows.h>

#include "base/code_page_win.h"
#include "base/exe_folder.h"

namespace {

// Longer than MAX_PATH, for programs installed under a long path.
const DWORD MODULE_PATH_CAPACITY = 1024;
// What the folder's path leaves for the names of the program's files: the longest,
// "keyentries.dat.bak" and "keyentries.dat.new", and a little to spare.
const size_t FILE_NAME_ROOM = 24;

}  // namespace

std::string ExeFolder() {
  char path[MODULE_PATH_CAPACITY];
  const DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
  if (length == 0 || length >= sizeof path) return std::string();
  const std::string_view folder(path, FolderPartLength(path));
  // The system's ANSI functions take paths of fewer than MAX_PATH characters.
  if (CharactersBeforeByte(folder, folder.size()) + FILE_NAME_ROOM >= MAX_PATH) return std::string();
  return std::string(folder);
}

std::string SetWorkingDirectoryToExe() {
  std::string folder = ExeFolder();
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
  return folder;
}
