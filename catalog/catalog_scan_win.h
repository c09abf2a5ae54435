#pragma once
#include <windows.h>

#include <string>

#include "catalog/catalog.h"
#include "catalog/shell_objects_win.h"

// Where the catalog's programs are found: the shortcuts of the Start Menus (their
// subfolders too, but for the Startup folders) and of the Desktops (their top level), the
// programs registered under App Paths, those on PATH and the packaged apps. The Win32
// tests point a scan at folders of their own.
struct CatalogSources {
  std::wstring userStartMenu, commonStartMenu;  // empty where there is none
  std::wstring userStartup, commonStartup;      // inside the Start Menus, and left out
  std::wstring userDesktop, publicDesktop;
  bool appPaths;  // HKEY_CURRENT_USER's and HKEY_LOCAL_MACHINE's
  bool path;      // the programs in the folders of PATH, found by their whole names only
  bool packaged;  // the shell's Applications folder, where the system has one
};

// The system's own, as the shell names its folders for this user.
CatalogSources SystemCatalogSources();

// A new catalog of what the sources hold now. A shortcut written when the one in previous
// was is taken over from there without being read again; a damaged one is left out. No
// shortcut's target is looked for: a network share that does not answer never holds
// the scan up. Folders that a junction or link leads to are not entered, so that none
// is scanned twice or in a loop. A source the system turns out not to have (the
// Applications folder) is switched off for the scans that follow.
Catalog ScanCatalog(CatalogSources& sources, const Catalog& previous, const ShellObjects& objects);
