#pragma once

constexpr char KEY_ENTRIES_FILE[] = "keyentries.dat";
// Where a key file that cannot be read whole is kept, so that saving loses nothing.
constexpr char KEY_ENTRIES_BACKUP_FILE[] = "keyentries.dat.bak";

// Appends the user's entries from "keyentries.dat" in the working directory to
// keyEntryStore. A file of another version is reported and skipped; a file that cannot
// be read whole is first copied to "keyentries.dat.bak".
void LoadKeyEntries();

// Writes the user's entries to "keyentries.dat"; the old file is replaced only by a
// complete new one. False when the new one could not be made.
bool SaveKeyEntries();
