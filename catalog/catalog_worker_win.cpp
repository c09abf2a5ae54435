#include "catalog/catalog_worker_win.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "base/file_io_win.h"
#include "base/system_library_win.h"
#include "catalog/catalog_file.h"
#include "catalog/program_catalog_win.h"

namespace {

const char SAVED_CATALOG[] = "%LOCALAPPDATA%\\Pellomar\\catalog.dat";
// A saved catalog serves the start; the worker that scans again starts this much later,
// so that the bar's start is its own.
const UINT FIRST_SCAN_MILLISECONDS = 3000;
const UINT_PTR FIRST_SCAN_TIMER_ID = 0x50C;
// An installer writes many files one after the other: the scan waits until none has
// changed for a moment, but never longer than the second bound.
const DWORD QUIET_MILLISECONDS = 400;
const DWORD MOST_SETTLING_MILLISECONDS = 2500;
// How long the bar's end waits for the worker.
const DWORD STOP_MILLISECONDS = 5000;
const wchar_t APP_PATHS_KEY[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

// What the worker is given, its own copies; the window's thread keeps only the handles.
struct Job {
  HWND notify;
  const CatalogSources* sources;  // null: the system's, found by the worker
  std::string savedCatalog;
  HANDLE stop;
  HANDLE rescan;
};

// The bar's: what the worker is to be started with, and the worker's handles.
struct Worker {
  HWND notify;
  const CatalogSources* sources;
  std::string savedCatalog;
  HANDLE thread;
  HANDLE stop;
  HANDLE rescan;
};
Worker worker;

// A folder or registry key whose changes wake the worker, and how to watch it again.
struct Watch {
  HANDLE event;
  HKEY key;  // null for a folder
};

void Rearm(const Watch& watch) {
  if (!watch.key) {
    FindNextChangeNotification(watch.event);
    return;
  }
  ResetEvent(watch.event);
  RegNotifyChangeKeyValue(watch.key, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, watch.event, TRUE);
}

std::vector<Watch> WatchSources(const CatalogSources& sources) {
  std::vector<Watch> watches;
  const std::pair<const std::wstring*, BOOL> folders[] = {{&sources.userStartMenu, TRUE},
                                                          {&sources.commonStartMenu, TRUE},
                                                          {&sources.userDesktop, FALSE},
                                                          {&sources.publicDesktop, FALSE}};
  for (const auto& [folder, subtree] : folders) {
    if (folder->empty()) continue;
    const HANDLE change = FindFirstChangeNotificationW(
        folder->c_str(), subtree,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (change != INVALID_HANDLE_VALUE) watches.push_back({change, NULL});
  }
  if (!sources.appPaths) return watches;
  for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    HKEY key;
    if (RegOpenKeyExW(root, APP_PATHS_KEY, 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) continue;
    watches.push_back({CreateEventW(NULL, TRUE, FALSE, NULL), key});
    Rearm(watches.back());
  }
  return watches;
}

void CloseWatches(const std::vector<Watch>& watches) {
  for (const Watch& watch : watches) {
    if (watch.key) {
      RegCloseKey(watch.key);
      CloseHandle(watch.event);
    } else {
      FindCloseChangeNotification(watch.event);
    }
  }
}

enum class Wake { Stop, Scan };

// Waits for the stop, a rescan asked for, a change to what is watched (then for quiet), or
// the time given.
Wake AwaitChange(const Job& job, const std::vector<Watch>& watches, DWORD milliseconds) {
  std::vector<HANDLE> handles = {job.stop, job.rescan};
  for (const Watch& watch : watches) handles.push_back(watch.event);
  const DWORD count = static_cast<DWORD>(handles.size());
  DWORD woken = WaitForMultipleObjects(count, handles.data(), FALSE, milliseconds);
  const DWORD settled = GetTickCount() + MOST_SETTLING_MILLISECONDS;
  while (woken >= WAIT_OBJECT_0 + 2 && woken < WAIT_OBJECT_0 + count) {
    Rearm(watches[woken - WAIT_OBJECT_0 - 2]);
    const DWORD now = GetTickCount();
    if (static_cast<int32_t>(settled - now) <= 0) break;
    woken = WaitForMultipleObjects(count, handles.data(), FALSE, std::min(QUIET_MILLISECONDS, settled - now));
  }
  return woken == WAIT_OBJECT_0 ? Wake::Stop : Wake::Scan;
}

// The catalog as it was saved last, decoded from the file in place.
Catalog ReadSavedCatalog(const std::string& file) {
  FileView view;
  if (file.empty() || OpenFileView(file.c_str(), view) != ERROR_SUCCESS) return Catalog();
  // A damaged, cut short or foreign file holds nothing the user made: it is scanned anew.
  std::optional<Catalog> saved = DecodeCatalog(view.data, view.size);
  CloseFileView(view);
  return saved ? std::move(*saved) : Catalog();
}

void SaveCatalog(const std::string& file, const std::string& bytes) {
  if (file.empty()) return;
  CreateDirectoryA(file.substr(0, file.find_last_of('\\')).c_str(), NULL);
  ReplaceFileContents(file.c_str(), bytes.data(), static_cast<DWORD>(bytes.size()));
}

void Post(const Job& job, Catalog&& catalog) {
  auto* posted = new Catalog(std::move(catalog));
  if (!PostMessageW(job.notify, WM_CATALOG_READY, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

void LowerPriority() {
  // Below every other thread, its disk reads too (Windows Vista on); else as low as it goes.
  if (!SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN))
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
}

DWORD WINAPI RunWorker(void* parameter) {
  const std::unique_ptr<Job> job(static_cast<Job*>(parameter));
  LowerPriority();
  CatalogSources sources = job->sources ? *job->sources : SystemCatalogSources();
  const std::vector<Watch> watches = WatchSources(sources);
  ShellObjects objects = OpenShellObjects();
  // Between scans the worker keeps nothing of the catalog, which the bar holds once: each
  // scan starts from the saved catalog, read again, and the catalog found goes to the bar.
  for (Wake wake = Wake::Scan; wake == Wake::Scan; wake = AwaitChange(*job, watches, INFINITE)) {
    Catalog scanned = ScanCatalog(sources, ReadSavedCatalog(job->savedCatalog), objects);
    const std::string scannedFile = EncodeCatalog(scanned);
    if (FileHolds(job->savedCatalog.c_str(), scannedFile.data(), scannedFile.size())) continue;
    SaveCatalog(job->savedCatalog, scannedFile);
    Post(*job, std::move(scanned));
  }
  CloseShellObjects(objects);
  CloseWatches(watches);
  return 0;
}

// Starts the worker on the catalog the bar has, at once.
void StartWorker() {
  KillTimer(worker.notify, FIRST_SCAN_TIMER_ID);
  if (worker.thread) return;
  worker.stop = CreateEventW(NULL, TRUE, FALSE, NULL);
  worker.rescan = CreateEventW(NULL, FALSE, FALSE, NULL);
  auto* job = new Job{worker.notify, worker.sources, worker.savedCatalog, worker.stop, worker.rescan};
  worker.thread = CreateThread(NULL, 0, RunWorker, job, 0, NULL);
  if (worker.thread) return;
  delete job;
  StopFindingPrograms();
}

void CALLBACK FirstScanDue(HWND, UINT, UINT_PTR, DWORD) {
  StartWorker();
}

void Start(HWND notify, const CatalogSources* sources, const std::string& savedCatalog) {
  if (worker.notify) return;
  worker.notify = notify;
  worker.sources = sources;
  worker.savedCatalog = savedCatalog;
  // Read by the bar's thread, now that the bar is painted: the list works at once.
  TakeCatalog(new Catalog(ReadSavedCatalog(worker.savedCatalog)));
  if (programCatalog.items.empty())
    StartWorker();
  else
    SetTimer(notify, FIRST_SCAN_TIMER_ID, FIRST_SCAN_MILLISECONDS, FirstScanDue);
}

}  // namespace

void StartFindingPrograms(HWND bar) {
  Start(bar, nullptr, SavedCatalogFile());
}

void StartFindingPrograms(HWND bar, const CatalogSources& sources, const std::string& savedCatalog) {
  Start(bar, &sources, savedCatalog);
}

void RescanCatalog() {
  if (!worker.notify) return;
  if (worker.thread)
    SetEvent(worker.rescan);
  else
    StartWorker();
}

void StopFindingPrograms() {
  if (worker.notify) KillTimer(worker.notify, FIRST_SCAN_TIMER_ID);
  if (worker.thread) {
    SetEvent(worker.stop);
    BreakOffThreadIo(worker.thread);
    // A worker that does not end in time keeps its handles: the process ends all the same.
    if (WaitForSingleObject(worker.thread, STOP_MILLISECONDS) != WAIT_OBJECT_0) return;
    CloseHandle(worker.thread);
    MSG posted;
    while (PeekMessageW(&posted, worker.notify, WM_CATALOG_READY, WM_CATALOG_READY, PM_REMOVE))
      delete reinterpret_cast<Catalog*>(posted.lParam);
  }
  for (const HANDLE event : {worker.stop, worker.rescan})
    if (event) CloseHandle(event);
  worker = Worker{};
}

std::string SavedCatalogFile() {
  char path[PATH_BYTES];
  const DWORD length = ExpandEnvironmentStringsA(SAVED_CATALOG, path, sizeof path);
  // Without the variable (Windows XP) it stays as written.
  return length > 0 && length <= sizeof path && path[0] != '%' ? path : std::string();
}
