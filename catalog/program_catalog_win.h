#pragma once
#include <windows.h>

#include <cstdint>

#include "catalog/catalog.h"
#include "catalog/picks.h"
#include "catalog/ranking.h"

// The catalog the bar finds programs in, and what it has learnt from the user's picks;
// both belong to the bar's thread.
extern Catalog programCatalog;
extern Picks programPicks;

// Takes over a catalog the worker posted, made with new; the one before is freed, and
// with it what was learnt of its items' targets.
void TakeCatalog(Catalog* posted);

// Lets no item through whose target is a program on this computer's own drives that no
// longer exists (uninstalled, its shortcut left behind); what it finds is kept for the
// catalog's life. Targets elsewhere (a network share) are not looked for.
ItemFilter ShownPrograms();

// "picks.txt" in the data folder. Loading gives ERROR_SUCCESS also where there is none,
// or it is damaged (what is sound of it is read); otherwise the reason it could not be
// read. Saving replaces the file only by a complete new one: ERROR_SUCCESS, or the reason.
DWORD LoadPicks();
DWORD SavePicks();
