#pragma once
#include <windows.h>

// The caption of the questions about a key the list has already, from Add as from Import.
constexpr char DUPLICATE_CAPTION[] = "Duplicate Notice";

// Export... and Import... of the Edit User Keys dialog, which owns their windows: the
// user's key words to and from a text file that the user chooses.

// Writes every user entry not marked for removal.
void ExportUserKeys(HWND dialog);

// Adds the file's key words to keyEntryStore, after asking once what to do with keys
// that the user has already; then calls showEntries, so that the dialog shows the
// result under the summary that ends the import.
void ImportUserKeys(HWND dialog, void (*showEntries)(HWND dialog));
