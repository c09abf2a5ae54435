#pragma once
#include "catalog/catalog.h"
#include "catalog/shell_objects_win.h"

// Adds the packaged apps (those of the Microsoft Store and the system's own) that the
// shell's Applications folder lists, each launched as "shell:AppsFolder\<its id>". False
// where the system has no such folder (before Windows 8, and under Wine): nothing is added.
bool AddPackagedApps(const ShellObjects& objects, CatalogBuilder& builder);
