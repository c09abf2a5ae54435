#pragma once
#include <windows.h>

#include <string>

// The folder of the user's files ("config.dat", "keyentries.dat", "history.txt"): beside
// the executable while that folder can be written, which keeps the program portable;
// otherwise (a folder only administrators may write, write-protected media) a folder of
// the user's own, "%APPDATA%\Pellomar".
struct DataFolder {
  std::string path;  // with its trailing separator
  bool perUser;
  bool createdNow;  // this run made the per-user folder: the user has yet to be told
};

extern DataFolder dataFolder;

// Chooses the folder at start-up: beside the executable unless a trial file cannot be
// made there.
void ChooseDataFolder();

// Where to read a user file from. In the per-user folder a file not written there yet
// is read from beside the executable, whose copies seed the new folder.
std::string DataFileToRead(const char* name);

// Writes a user file whole into the folder, moving to the per-user folder (and making
// it) when a write beside the executable is refused. ERROR_SUCCESS, or the reason.
DWORD WriteDataFile(const char* name, const void* data, DWORD size);

// Deletes a user file, in the per-user folder also the copy beside the executable that
// would be read in its place.
void DeleteDataFile(const char* name);
