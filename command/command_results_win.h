#pragma once
#include <windows.h>

#include <cstddef>

// The list under the bar, as the command box keeps it (resultList): its rows made for
// the box's text, and a row run.

// Sent by the command box to the bar when the list is to be drawn again: its rows or its
// selection have changed, or it was closed.
const UINT WM_RESULTS_CHANGED = WM_USER + 107;

// Makes the rows anew for the box's text, as the text changes or the catalog does: the
// programs whose names match it, where "Find programs by name" is on and its first word
// is no key word. A list that Esc closed stays closed while the text stays the same.
void RefreshResults(HWND box);

enum class RowRun {
  Open,             // Enter, a click, or Alt with the row's number
  AsAdministrator,  // Ctrl+Shift+Enter: a program starts elevated; anything else opens
  ShowInFolder,     // Ctrl+Enter: the folder that holds the program, with it selected
};

// Runs the list's row as asked: the typed line is remembered as run and the pick is
// learnt. False where there is no such row.
bool RunResultRow(HWND box, size_t row, RowRun how);
