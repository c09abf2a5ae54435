#include "base/data_folder_win.h"

#include "base/exe_folder_win.h"
#include "base/file_io_win.h"

DataFolder dataFolder;

namespace {

const char PER_USER_FOLDER[] = "%APPDATA%\\Pellomar\\";
// Made and removed at once: whether the folder takes new files.
const char TRIAL_FILE[] = "pellomar.trial";

// Whether the folder refuses new files, by making one and removing it at once.
bool FolderRefusesFiles(const std::string& folder) {
  const HANDLE trial = CreateFileA((folder + TRIAL_FILE).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
  if (trial == INVALID_HANDLE_VALUE) return WriteIsRefused(GetLastError());
  CloseHandle(trial);
  return false;
}

void UsePerUserFolder() {
  char path[MAX_PATH];
  const DWORD length = ExpandEnvironmentStringsA(PER_USER_FOLDER, path, sizeof path);
  // Without APPDATA the path keeps its "%", and creating the folder fails with a reason.
  dataFolder.path = length > 0 && length <= sizeof path ? path : PER_USER_FOLDER;
  dataFolder.perUser = true;
}

}  // namespace

void ChooseDataFolder() {
  dataFolder = DataFolder{ExeFolder(), false, false};
  if (FolderRefusesFiles(dataFolder.path)) UsePerUserFolder();
}

std::string DataFileToRead(const char* name) {
  const std::string path = dataFolder.path + name;
  if (dataFolder.perUser && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ExeFolder() + name;
  return path;
}

DWORD WriteDataFile(const char* name, const void* data, DWORD size) {
  if (!dataFolder.perUser) {
    const DWORD error = ReplaceFileContents((dataFolder.path + name).c_str(), data, size);
    // Only a folder that has stopped taking files sends them elsewhere, not one file in the way.
    if (!WriteIsRefused(error) || !FolderRefusesFiles(dataFolder.path)) return error;
    UsePerUserFolder();
  }
  if (CreateDirectoryA(dataFolder.path.c_str(), NULL)) dataFolder.createdNow = true;
  return ReplaceFileContents((dataFolder.path + name).c_str(), data, size);
}

void DeleteDataFile(const char* name) {
  DeleteFileA((dataFolder.path + name).c_str());
  if (dataFolder.perUser) DeleteFileA((ExeFolder() + name).c_str());
}
