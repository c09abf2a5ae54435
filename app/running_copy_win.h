#pragma once
#include <windows.h>

// One copy of Pellomar runs per data folder: two copies on the same files would each save
// what they read at their start, and the one that ended last would lose the other's
// changes. Copies on different folders run side by side.

// From a copy started on the same files to the bar of the one that runs: come forward.
const UINT WM_BRING_FORWARD = WM_USER + 104;

// At start-up, once the data folder is chosen and before anything else is touched: true
// when a copy on the same folder runs already; it has been asked to bring its bar
// forward, and this copy is to end.
bool HandOverToRunningCopy();

// Marks the bar as the running copy's for the copies that start later, and takes the
// mark away as the bar goes.
void MarkRunningCopy(HWND bar);
void UnmarkRunningCopy(HWND bar);
