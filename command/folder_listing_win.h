#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "command/typed_path.h"

// The entries of the folder a typed path names, listed in the background: a slow or
// network folder never holds the bar or its keys up.

// Posted to the window given to ListFolder, lParam a FolderListing made with new.
const UINT WM_FOLDER_LISTED = WM_USER + 108;

struct FolderListing {
  std::string folder;  // as asked for: expanded, in the program's code page
  std::vector<PathEntry> entries;
};

// The listing of the folder the line in the box names, once it has come; the bar's.
extern FolderListing folderListing;

// Lists the folder in the background, unless it is the one listed or being listed now. A
// listing asked for before, which the line has since moved on from, is broken off where
// the system can, and dropped when it comes.
void ListFolder(HWND notify, const std::string& folder);

// Takes over a listing posted, made with new; false where the line has moved on from its
// folder, and it is dropped.
bool TakeFolderListing(FolderListing* posted);

// As the bar goes: breaks off the listings under way and waits for them a little.
void StopListingFolders();
