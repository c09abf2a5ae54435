#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

#include "command/result_list.h"

// The list under the bar, as the command box keeps it (resultList): its rows made for
// the box's text, and a row run.

// Sent by the command box to the bar when the list is to be drawn again: its rows or its
// selection have changed, or it was closed.
const UINT WM_RESULTS_CHANGED = WM_USER + 107;

// Makes the rows anew for the box's text, as the text changes, the catalog does or a
// folder's listing comes: the result of a line that is arithmetic; the entries of the
// folder a line that starts like a path names (listed in the background first); the
// programs whose names match any other line, where "Find programs by name" is on and its
// first word is no key word. A list that Esc closed stays closed while the text stays the
// same.
void RefreshResults(HWND box);

// The file or folder an entry's row names, its variables expanded, in the program's code
// page.
std::string EntryFile(const ResultRow& row);

enum class RowRun {
  Open,             // Enter, a click, or Alt with the row's number
  AsAdministrator,  // Ctrl+Shift+Enter: a program starts elevated; anything else opens
  ShowInFolder,     // Ctrl+Enter: the folder that holds the program, with it selected
};

// Runs the list's row as asked: a program or an entry opens (and a program's pick is
// learnt), an answer's number is copied and left in the box; the typed line is remembered
// as run. False where there is no such row.
bool RunResultRow(HWND box, size_t row, RowRun how);

// Tab on an entry of a folder: the box takes its path, a folder's with its final
// separator, so that the next piece can be typed at once. False where no entry is
// selected.
bool CompleteResultRow(HWND box);
