#pragma once
#include <windows.h>

#include <string>

#include "catalog/catalog_scan_win.h"

// The program's one worker thread keeps the catalog of programs fresh, at background
// priority, and hands each new catalog to the bar's thread whole: no record is shared
// between the two while they run.

// Posted to the window given to StartFindingPrograms, lParam a Catalog made with new: the
// catalog as it is now, which the window's thread takes over.
const UINT WM_CATALOG_READY = WM_USER + 106;

// Finds programs from now on: reads the saved catalog into programCatalog at once, for
// the list to work from the start, and starts the worker, which scans the system's
// sources again (at once where nothing was saved, else after a pause, so that the bar's
// start is its own), posts a new catalog and saves it where it differs, then waits for a
// change in the folders and keys the scan reads, or for a rescan asked for, and scans
// again: nothing runs while nothing changes. Called once the bar is painted.
void StartFindingPrograms(HWND bar);

// The same on other sources, which must last until StopFindingPrograms, and another
// saved catalog (an empty name saves nothing).
void StartFindingPrograms(HWND bar, const CatalogSources& sources, const std::string& savedCatalog);

// Asks for a scan now (F5 in the command box).
void RescanCatalog();

// Stops finding programs: the worker is told to stop and waited for a little; a catalog it
// posted that the bar has not taken is freed. The catalog the bar has stays.
void StopFindingPrograms();

// Where the catalog is saved: per computer, as the programs it lists are, so not in a
// portable folder that travels to other computers: "%LOCALAPPDATA%\Pellomar\catalog.dat".
// Empty where the system names no such folder.
std::string SavedCatalogFile();
