#include "base/data_folder_win.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/exe_folder_win.h"
#include "base/file_io_win.h"
#include "base/system_library_win.h"

DataFolder dataFolder;

// The status behind the calling thread's last error: ntdll has it, the SDK's headers do not.
extern "C" LONG NTAPI RtlGetLastNtStatus();

namespace {

const char PER_USER_FOLDER[] = "%APPDATA%\\Pellomar\\";
// Left in the per-user folder until the next start has told the move.
const char MOVE_NOTICE_FILE[] = "pellomar.moved";
// What the system says of a file that is being deleted (an antivirus may hold one open
// while it goes) when something asks to open it.
const LONG STATUS_DELETE_PENDING = static_cast<LONG>(0xC0000056);

// Made and removed at once, to learn whether the folder takes new files; the process's
// own name, so that two starts at once never take each other's for a refusal.
std::string TrialFile(const std::string& folder) {
  return folder + "pellomar." + std::to_string(GetCurrentProcessId()) + ".trial";
}

// Whether the last failure to open a file was met by a file being deleted.
bool MetFileBeingDeleted() {
  static const auto lastStatus =
      FunctionOf<decltype(RtlGetLastNtStatus)>(GetModuleHandleA("ntdll.dll"), "RtlGetLastNtStatus");
  return lastStatus && lastStatus() == STATUS_DELETE_PENDING;
}

// Whether the folder refuses new files, by making one and removing it at once.
bool FolderRefusesFiles(const std::string& folder) {
  const HANDLE trial = CreateFileA(TrialFile(folder).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
  if (trial != INVALID_HANDLE_VALUE) {
    CloseHandle(trial);
    return false;
  }
  return WriteIsRefused(GetLastError()) && !MetFileBeingDeleted();
}

// When the file was last written; 0 where there is none.
ULONGLONG WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA file;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file)) return 0;
  const FILETIME& time = file.ftLastWriteTime;
  return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// When the newest of the files was written; 0 where there is none.
ULONGLONG LastSaved(const std::string& folder, std::initializer_list<const char*> names) {
  ULONGLONG newest = 0;
  for (const char* name : names) newest = std::max(newest, WriteTime(folder + name));
  return newest;
}

// Replaces the file in the folder, unless it holds the bytes already: reading a small file
// back costs less than replacing it, and a file left as it was keeps its time.
DWORD Replace(const char* name, const void* data, DWORD size) {
  const std::string path = dataFolder.path + name;
  if (FileHolds(path.c_str(), data, size)) return ERROR_SUCCESS;
  return ReplaceFileContents(path.c_str(), data, size);
}

void UsePerUserFolder() {
  dataFolder.path = PerUserFolder();
  dataFolder.perUser = true;
}

void MakePerUserFolder() {
  if (dataFolder.perUser && CreateDirectoryA(dataFolder.path.c_str(), NULL)) dataFolder.madeNow = true;
}

}  // namespace

std::string PerUserFolder() {
  char path[PATH_BYTES];
  const DWORD length = ExpandEnvironmentStringsA(PER_USER_FOLDER, path, sizeof path);
  // Without APPDATA the path keeps its "%", and creating the folder fails with a reason.
  return length > 0 && length <= sizeof path ? path : PER_USER_FOLDER;
}

void ChooseDataFolder(std::initializer_list<const char*> names) {
  const std::string besideExe = ExeFolder();
  dataFolder = DataFolder{besideExe, false, false};
  if (LastSaved(PerUserFolder(), names) > LastSaved(besideExe, names) || FolderRefusesFiles(besideExe)) {
    UsePerUserFolder();
    MakePerUserFolder();
  }
}

std::string DataFileToRead(const char* name) {
  std::string written = dataFolder.path + name;
  std::string other = (dataFolder.perUser ? ExeFolder() : PerUserFolder()) + name;
  return WriteTime(other) > WriteTime(written) ? other : written;
}

DWORD ReadDataFile(const char* name, std::vector<uint8_t>& contents, std::string& path) {
  path = DataFileToRead(name);
  return ReadFileContents(path.c_str(), contents);
}

DWORD WriteDataFile(const char* name, const void* data, DWORD size) {
  if (!dataFolder.perUser) {
    const DWORD error = Replace(name, data, size);
    // Only a folder that has stopped taking files sends them elsewhere, not one file in the way.
    if (!WriteIsRefused(error) || !FolderRefusesFiles(dataFolder.path)) return error;
    UsePerUserFolder();
  }
  MakePerUserFolder();
  return Replace(name, data, size);
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

bool TakeMadePerUserFolder() {
  return std::exchange(dataFolder.madeNow, false);
}

void OweMoveNotice() {
  const HANDLE marker = CreateFileA((dataFolder.path + MOVE_NOTICE_FILE).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, NULL);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

bool TakeOwedMoveNotice() {
  // A mark the next start does not tell (the files went back beside the program) goes all
  // the same: it is never told at some later, unrelated start.
  return DeleteFileA((PerUserFolder() + MOVE_NOTICE_FILE).c_str()) && dataFolder.perUser;
}
