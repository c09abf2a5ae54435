#pragma once
#include <windows.h>

constexpr char KEY_ENTRIES_FILE[] = "keyentries.dat";
// Added to the name of a key file that cannot be read whole for its copy, so that saving
// loses nothing.
constexpr char BACKUP_SUFFIX[] = ".bak";

enum class KeyFileTrouble {
  None,          // read whole, or there is none
  Unreadable,    // there, but it could not be read
  NotKeptAside,  // not read whole, and its copy could not be made
};

struct KeyFileLoad {
  KeyFileTrouble trouble;
  DWORD error;  // the system's reason for the trouble
};

// Appends the user's entries from "keyentries.dat" in the data folder to keyEntryStore.
// A file of another version is reported and skipped; a file that cannot be read whole is
// first copied to "keyentries.dat.bak" in the data folder. With any trouble saving must
// leave the file as it is.
KeyFileLoad LoadKeyEntries();

// Writes the user's entries to "keyentries.dat" in the data folder; the old file is
// replaced only by a complete new one. ERROR_SUCCESS, or the reason the new one could
// not be made.
DWORD SaveKeyEntries();
