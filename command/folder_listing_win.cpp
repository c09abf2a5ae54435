#include "command/folder_listing_win.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "base/code_page_win.h"
#include "base/folder_entries_win.h"
#include "base/system_library_win.h"

FolderListing folderListing;

namespace {

// How long the bar's end waits for the listings under way.
const DWORD STOP_MILLISECONDS = 2000;

struct Job {
  HWND notify;
  std::string folder;
};

// The folder the line names now, the window the listings go to, and the threads listing
// folders: the bar's thread alone keeps them.
std::string wanted;
HWND notifyWindow;
std::vector<HANDLE> listers;

DWORD WINAPI ListInBackground(void* parameter) {
  const std::unique_ptr<Job> job(static_cast<Job*>(parameter));
  auto listing = std::make_unique<FolderListing>();
  listing->folder = job->folder;
  for (FolderEntries entries(AnsiToWide(job->folder) + L'*'); entries.Next();) {
    const DWORD attributes = entries.found.dwFileAttributes;
    listing->entries.push_back({WideToUtf8(entries.found.cFileName), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  }
  if (PostMessageW(job->notify, WM_FOLDER_LISTED, 0, reinterpret_cast<LPARAM>(listing.get()))) listing.release();
  return 0;
}

// Lets go of the threads that have ended; breaks off the others, all asked for before.
void PruneListers() {
  std::vector<HANDLE> running;
  for (const HANDLE lister : listers) {
    if (WaitForSingleObject(lister, 0) == WAIT_OBJECT_0) {
      CloseHandle(lister);
      continue;
    }
    BreakOffThreadIo(lister);
    running.push_back(lister);
  }
  listers = std::move(running);
}

}  // namespace

void ListFolder(HWND notify, const std::string& folder) {
  if (folder == wanted) return;
  wanted = folder;
  notifyWindow = notify;
  PruneListers();
  auto* job = new Job{notify, folder};
  if (const HANDLE lister = CreateThread(NULL, 0, ListInBackground, job, 0, NULL))
    listers.push_back(lister);
  else
    delete job;
}

bool TakeFolderListing(FolderListing* posted) {
  const std::unique_ptr<FolderListing> taken(posted);
  if (taken->folder != wanted) return false;
  folderListing = std::move(*taken);
  return true;
}

void StopListingFolders() {
  for (const HANDLE lister : listers) BreakOffThreadIo(lister);
  const DWORD count = static_cast<DWORD>(std::min<size_t>(listers.size(), MAXIMUM_WAIT_OBJECTS));
  if (count > 0) WaitForMultipleObjects(count, listers.data(), TRUE, STOP_MILLISECONDS);
  for (const HANDLE lister : listers) CloseHandle(lister);
  MSG posted;
  while (notifyWindow && PeekMessageW(&posted, notifyWindow, WM_FOLDER_LISTED, WM_FOLDER_LISTED, PM_REMOVE))
    delete reinterpret_cast<FolderListing*>(posted.lParam);
  listers.clear();
  wanted.clear();
  folderListing = FolderListing{};
}
