#pragma once
#include <windows.h>

#include <string>

#include "catalog/catalog_scan_win.h"

// The program's one worker thread keeps the catalog of programs fresh, at background
// priority, and hands each new catalog to the bar's thread whole: no record is shared
// between the two while they run.

// Posted to the window given to StartCatalogWorker, lParam a Catalog made with new: the
// catalog as it is now, which the window's thread takes over.
const UINT WM_CATALOG_READY = WM_USER + 106;

// Starts the worker. It reads the saved catalog and posts it; it scans the system's
// sources again, at once where nothing was saved, else after a pause, so that the bar's
// start is its own; it posts a new catalog and saves it where it differs. Then it waits
// for a change in the folders and keys the scan reads, or for a rescan asked for, and
// scans again: nothing runs while nothing changes.
void StartCatalogWorker(HWND notify);

// The same on other sources and another saved catalog (an empty name saves nothing).
void StartCatalogWorker(HWND notify, const CatalogSources& sources, const std::string& savedCatalog);

// Asks for a scan now (F5 in the command box).
void RescanCatalog();

// Tells the worker to stop and waits for it a little; a catalog it posted that the window
// has not taken is freed. Nothing happens where no worker runs.
void StopCatalogWorker();

// Where the catalog is saved: per computer, as the programs it lists are, so not in a
// portable folder that travels to other computers: "%LOCALAPPDATA%\Pellomar\catalog.dat".
// Empty where the system names no such folder.
std::string SavedCatalogFile();
