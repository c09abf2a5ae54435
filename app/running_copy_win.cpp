#include "app/running_copy_win.h"

#include <cstdint>
#include <string>

#include "base/data_folder_win.h"
#include "base/other_bars_win.h"

namespace {

// On the running copy's bar: the mark of its data folder. A window of the same class that
// another program made never carries it.
const char FOLDER_PROPERTY[] = "Pellomar.DataFolder";
// How long the running copy's bar is given to answer.
const UINT ANSWER_MILLISECONDS = 5000;

const char CAPTION[] = "Pellomar";
const char NO_ANSWER_TEXT[] =
    "Pellomar is already running on these files, but it does not answer: it may be waiting for an answer "
    "in one of its messages, or be starting or ending.\n\nAnswer or close that message, then choose Retry. "
    "Cancel ends this start.";
const char OTHER_RIGHTS_TEXT[] =
    "Pellomar is already running on these files with other rights than this start (as administrator, for "
    "instance), so its bar cannot be brought forward from here.\n\nUse the bar that runs, or end it and start "
    "Pellomar again.";
const char OTHER_SESSION_TEXT[] =
    "Pellomar is already running on these files, in another session on this computer (another user's, or "
    "yours elsewhere) or with other rights than this start, so it cannot be brought forward from here.\n\n"
    "End it there, then start Pellomar again.";

// The mark of this copy's data folder, worked out once at the start.
HANDLE folderMark;

uint64_t Fnv1a(const void* bytes, size_t size) {
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < size; ++i) hash = (hash ^ static_cast<const uint8_t*>(bytes)[i]) * 1099511628211ull;
  return hash;
}

std::string Hex(uint64_t value, int digits) {
  std::string text;
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text += "0123456789abcdef"[value >> shift & 0xF];
  return text;
}

// The folder's name as Windows tells folders apart: letter case ignored, short names
// made long. The data folder's path has fewer than MAX_PATH characters, or its files
// could not be kept.
uint64_t FolderNameKey(const std::string& folder) {
  wchar_t given[MAX_PATH] = {}, name[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, given, MAX_PATH - 1);
  DWORD length = GetLongPathNameW(given, name, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) length = static_cast<DWORD>(lstrlenW(lstrcpynW(name, given, MAX_PATH)));
  CharUpperBuffW(name, length);
  return Fnv1a(name, length * sizeof(wchar_t));
}

// A window property holds a pointer's width, 32 bits on 32-bit Windows; never 0, which
// would read as no property.
HANDLE FolderMark(const std::string& identity) {
  return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>((Fnv1a(identity.data(), identity.size()) & 0xFFFFFFFF) | 1));
}

enum class Meeting {
  BroughtForward,  // the running copy's bar has come forward
  OtherRights,     // its bar is there but does not take this copy's messages
  NoAnswer,        // no bar within the wait, or one that does not answer
  Ended,           // the running copy has ended meanwhile, its files saved
};

Meeting MeetRunningCopy(HANDLE running, DWORD waitMilliseconds) {
  for (const DWORD start = GetTickCount(); GetTickCount() - start < waitMilliseconds;) {
    DWORD process = 0;
    if (const HWND bar = FindOtherBar(FOLDER_PROPERTY, folderMark, process)) {
      // The user started this copy, so it may hand the foreground on.
      AllowSetForegroundWindow(process);
      if (SendMessageTimeoutA(bar, WM_BRING_FORWARD, 0, 0, SMTO_ABORTIFHUNG, ANSWER_MILLISECONDS, NULL))
        return Meeting::BroughtForward;
      // Windows keeps what a program sends from a program with higher rights.
      return GetLastError() == ERROR_ACCESS_DENIED ? Meeting::OtherRights : Meeting::NoAnswer;
    }
    // A copy still starting (reading its files, or a message of its start on screen) has
    // no bar yet, nor has one that is ending.
    if (WaitForSingleObject(running, 50) != WAIT_TIMEOUT) return Meeting::Ended;
  }
  return Meeting::NoAnswer;
}

bool TellAndEnd(const char* text) {
  MessageBoxA(NULL, text, CAPTION, MB_ICONINFORMATION);
  return true;
}

}  // namespace

std::string FolderIdentity(const std::string& folder) {
  const HANDLE handle = CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (handle != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION file;
    const bool known = GetFileInformationByHandle(handle, &file) != FALSE;
    CloseHandle(handle);
    if (known)
      return Hex(file.dwVolumeSerialNumber, 8) + '-' +
             Hex(static_cast<uint64_t>(file.nFileIndexHigh) << 32 | file.nFileIndexLow, 16);
  }
  return "name-" + Hex(FolderNameKey(folder), 16);
}

std::string RunningCopyMutexName(const std::string& identity) {
  // Machine-wide, as every session that reaches the folder shares its files.
  return "Global\\Pellomar-" + identity;
}

bool HandOverToRunningCopy(DWORD waitMilliseconds) {
  const std::string identity = FolderIdentity(dataFolder.path);
  folderMark = FolderMark(identity);
  // Owned until this process ends, when the system lets it go: a copy that crashed cannot
  // keep the next one from starting.
  const HANDLE running = CreateMutexA(NULL, TRUE, RunningCopyMutexName(identity).c_str());
  if (!running) {
    // Made by a copy with other rights or of another user: there, though it cannot be opened.
    if (GetLastError() != ERROR_ACCESS_DENIED) return false;
    DWORD process = 0;
    return TellAndEnd(FindOtherBar(FOLDER_PROPERTY, folderMark, process) ? OTHER_RIGHTS_TEXT
                                                                                     : OTHER_SESSION_TEXT);
  }
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  for (;;) {
    switch (MeetRunningCopy(running, waitMilliseconds)) {
      case Meeting::BroughtForward:
        return true;
      case Meeting::OtherRights:
        return TellAndEnd(OTHER_RIGHTS_TEXT);
      case Meeting::Ended:
        return false;
      case Meeting::NoAnswer:
        if (MessageBoxA(NULL, NO_ANSWER_TEXT, CAPTION, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY) return true;
    }
  }
}

void MarkRunningCopy(HWND bar) {
  SetPropA(bar, FOLDER_PROPERTY, folderMark);
}

void UnmarkRunningCopy(HWND bar) {
  RemovePropA(bar, FOLDER_PROPERTY);
}
