#include "app/running_copy_win.h"

#include <cstdint>
#include <string>

#include "base/data_folder_win.h"
#include "base/other_bars_win.h"

namespace {

// On the running copy's bar: the key of its data folder. A window of the same class that
// another program made never carries it.
const char FOLDER_PROPERTY[] = "Pellomar.DataFolder";
// A copy still starting (reading its files, or a message of its start on screen) has no
// bar yet, nor has one that is ending; either is waited for this long, and a bar given
// this long to answer.
const DWORD OTHER_COPY_MILLISECONDS = 10000;
const UINT ANSWER_MILLISECONDS = 5000;

// FNV-1a, 64 bits, over the folder's name as Windows tells folders apart: letter case
// ignored, short names made long. The data folder's path has fewer than MAX_PATH
// characters, or its files could not be kept.
uint64_t FolderKey(const std::string& folder) {
  wchar_t given[MAX_PATH] = {}, name[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, given, MAX_PATH - 1);
  DWORD length = GetLongPathNameW(given, name, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) length = static_cast<DWORD>(lstrlenW(lstrcpynW(name, given, MAX_PATH)));
  CharUpperBuffW(name, length);
  uint64_t key = 14695981039346656037ull;
  for (DWORD i = 0; i < length; ++i) {
    key = (key ^ (name[i] & 0xFF)) * 1099511628211ull;
    key = (key ^ (name[i] >> 8 & 0xFF)) * 1099511628211ull;
  }
  return key;
}

// A window property holds a pointer's width, 32 bits on 32-bit Windows; never 0, which
// would read as no property.
HANDLE FolderMark(uint64_t key) {
  return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>((key & 0xFFFFFFFF) | 1));
}

std::string MutexName(uint64_t key) {
  std::string name = "Local\\Pellomar-";
  for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[key >> shift & 0xF];
  return name;
}

}  // namespace

bool HandOverToRunningCopy() {
  const uint64_t key = FolderKey(dataFolder.path);
  // Owned until this process ends, when the system lets it go: a copy that crashed cannot
  // keep the next one from starting.
  const HANDLE running = CreateMutexA(NULL, TRUE, MutexName(key).c_str());
  if (!running || GetLastError() != ERROR_ALREADY_EXISTS) return false;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < OTHER_COPY_MILLISECONDS;) {
    DWORD process = 0;
    if (const HWND bar = FindOtherBar(FOLDER_PROPERTY, FolderMark(key), process)) {
      // The user started this copy, so it may hand the foreground on.
      AllowSetForegroundWindow(process);
      SendMessageTimeoutA(bar, WM_BRING_FORWARD, 0, 0, SMTO_ABORTIFHUNG, ANSWER_MILLISECONDS, NULL);
      return true;
    }
    // A copy that has just ended, its files saved, leaves the folder to this one.
    if (WaitForSingleObject(running, 50) != WAIT_TIMEOUT) return false;
  }
  return true;
}

void MarkRunningCopy(HWND bar) {
  SetPropA(bar, FOLDER_PROPERTY, FolderMark(FolderKey(dataFolder.path)));
}

void UnmarkRunningCopy(HWND bar) {
  RemovePropA(bar, FOLDER_PROPERTY);
}
