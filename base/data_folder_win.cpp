#include "base/data_folder_win.h"

#include "base/exe_folder_win.h"
#include "base/file_io_win.h"

DataFolder dataFolder;

namespace {

const char PER_USER_FOLDER[] = "%APPDATA%\\Pellomar\\";
// Made and removed at once: whether the folder takes new files.
const char TRIAL_FILE[] = "pellomar.trial";
// Left in the per-user folder until the next start has told the move.
const char MOVE_NOTICE_FILE[] = "pellomar.moved";

// Whether the folder refuses new files, by making one and removing it at once.
bool FolderRefusesFiles(const std::string& folder) {
  const HANDLE trial = CreateFileA((folder + TRIAL_FILE).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
  if (trial == INVALID_HANDLE_VALUE) return WriteIsRefused(GetLastError());
  CloseHandle(trial);
  return false;
}

// When the newest of the files was written; 0 where there is none.
ULONGLONG LastSaved(const std::string& folder, std::initializer_list<const char*> names) {
  ULONGLONG newest = 0;
  for (const char* name : names) {
    WIN32_FILE_ATTRIBUTE_DATA file;
    if (!GetFileAttributesExA((folder + name).c_str(), GetFileExInfoStandard, &file)) continue;
    const FILETIME& time = file.ftLastWriteTime;
    const ULONGLONG written = static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    if (written > newest) newest = written;
  }
  return newest;
}

void UsePerUserFolder() {
  dataFolder.path = PerUserFolder();
  dataFolder.perUser = true;
}

void MakePerUserFolder() {
  if (dataFolder.perUser && CreateDirectoryA(dataFolder.path.c_str(), NULL)) dataFolder.createdNow = true;
}

}  // namespace

std::string PerUserFolder() {
  char path[MAX_PATH * 3];  // MAX_PATH characters of UTF-8
  const DWORD length = ExpandEnvironmentStringsA(PER_USER_FOLDER, path, sizeof path);
  // Without APPDATA the path keeps its "%", and creating the folder fails with a reason.
  return length > 0 && length <= sizeof path ? path : PER_USER_FOLDER;
}

void ChooseDataFolder(std::initializer_list<const char*> names) {
  const std::string besideExe = ExeFolder();
  const bool perUserNewer = LastSaved(PerUserFolder(), names) > LastSaved(besideExe, names);
  dataFolder = DataFolder{besideExe, false, !perUserNewer, false};
  if (perUserNewer || FolderRefusesFiles(besideExe)) UsePerUserFolder();
}

std::string DataFileToRead(const char* name) {
  std::string path = dataFolder.path + name;
  if (!dataFolder.perUser) return path;
  if (!dataFolder.readBesideExe && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
  return ExeFolder() + name;
}

DWORD WriteDataFile(const char* name, const void* data, DWORD size) {
  if (!dataFolder.perUser) {
    const DWORD error = ReplaceFileContents((dataFolder.path + name).c_str(), data, size);
    // Only a folder that has stopped taking files sends them elsewhere, not one file in the way.
    if (!WriteIsRefused(error) || !FolderRefusesFiles(dataFolder.path)) return error;
    UsePerUserFolder();
  }
  MakePerUserFolder();
  return ReplaceFileContents((dataFolder.path + name).c_str(), data, size);
}

DWORD CopyToDataFolder(const std::string& source, const char* name) {
  MakePerUserFolder();
  return CopyFileA(source.c_str(), (dataFolder.path + name).c_str(), FALSE) ? ERROR_SUCCESS : GetLastError();
}

DWORD DeleteDataFile(const char* name, std::string& folderKept) {
  DWORD kept = ERROR_SUCCESS;
  for (const std::string& folder : {ExeFolder(), PerUserFolder()}) {
    const DWORD error = DeleteFileA((folder + name).c_str()) ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_SUCCESS || FileIsAbsent(error) || kept != ERROR_SUCCESS) continue;
    kept = error;
    folderKept = folder;
  }
  return kept;
}

void OweMoveNotice() {
  const HANDLE marker = CreateFileA((dataFolder.path + MOVE_NOTICE_FILE).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, NULL);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

bool TakeOwedMoveNotice() {
  return dataFolder.perUser && DeleteFileA((dataFolder.path + MOVE_NOTICE_FILE).c_str());
}
