#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// The folder of the user's files: beside the executable while that folder can be written,
// which keeps the program portable; otherwise (a folder only administrators may write,
// write-protected media) a folder of the user's own, "%APPDATA%\Pellomar". Where both
// hold the files, the folder whose copies were saved last is the one written, so that a
// folder that takes files again never brings back older ones.
struct DataFolder {
  std::string path;  // where the files are written, with its trailing separator
  bool perUser;      // path is the per-user folder
  bool madeNow;      // this run made the per-user folder: the user has yet to be told
};

extern DataFolder dataFolder;

// "%APPDATA%\Pellomar\".
std::string PerUserFolder();

// Chooses the folder at start-up by the files of these names: the folder whose copies were
// saved last, or beside the executable where neither holds any; the per-user folder when a
// trial file cannot be made beside the executable. The per-user folder, once chosen, is
// made at once, so that it has an identity on disk from the start.
void ChooseDataFolder(std::initializer_list<const char*> names);

// Where to read a user file from, decided for each file: the newer of its copies in the
// two folders, or the one copy there is. A file is never read from a folder where it is
// absent while the other folder holds it, so the copy that is written at exit always
// holds what was read from it or from a newer copy.
std::string DataFileToRead(const char* name);

// Reads a user file from where DataFileToRead says, into contents, with the path it was
// read from. ERROR_SUCCESS, or the system's reason with contents empty.
DWORD ReadDataFile(const char* name, std::vector<uint8_t>& contents, std::string& path);

// Writes a user file whole into the folder, moving to the per-user folder (and making
// it) when a write beside the executable is refused. ERROR_SUCCESS, or the reason. A file
// that holds these bytes already is not written again: a run that changed nothing leaves
// its files as they were.
DWORD WriteDataFile(const char* name, const void* data, DWORD size);

// Copies a file into the folder under name, making the folder first if need be.
DWORD CopyToDataFolder(const std::string& source, const char* name);

// Deletes every copy of a user file, beside the executable and in the per-user folder.
// ERROR_SUCCESS, or the reason a copy could not go, with the folder it stays in.
DWORD DeleteDataFile(const char* name, std::string& folderKept);

// True once after this run has made the per-user folder: the user is to be told that the
// files live there now, once a save there has succeeded.
bool TakeMadePerUserFolder();

// The move to the per-user folder that a session's end could not tell is told at the
// next start: the first marks the folder; the second, at every start, takes the mark
// away and is true when the files are still kept there.
void OweMoveNotice();
bool TakeOwedMoveNotice();
