#pragma once
#include <windows.h>

// The user's files, "config.dat", "keyentries.dat", "history.txt" and "picks.txt", in the
// data folder. A file this run could not read (or could not keep a copy of) is never
// replaced by this run.
struct UserFiles {
  bool settingsLeftAlone;
  bool keyEntriesLeftAlone;
  bool historyLeftAlone;
  bool picksLeftAlone;
};

extern UserFiles userFiles;

// Start-up: chooses the data folder by the files in it.
void ChooseUserFilesFolder();

// Start-up, in the chosen folder: reads the settings and brings the log-on value in line
// with them, puts the built-in key words in the store and appends the user's, reads the
// typed lines while they are remembered and the programs picked while they are found. A file that is there but cannot be read is
// reported (before the bar shows) and left alone, as is the log-on value then. A move to
// the per-user folder that the last session's end could not tell is told first.
void LoadUserFiles();

// A normal exit: the settings as the bar is destroyed, the other files after the message
// loop. A save that fails is reported with the system's reason, with Retry and Cancel.
void SaveSettingsAtExit(POINT barTopLeft);
void SaveKeyEntriesAtExit();
void SaveTypedLinesAtExit();
void SavePicksAtExit();

// Every file, while the bar still lives, for a Windows session that ends without the
// program's normal exit: no message can be shown then.
void SaveFilesBeforeSessionEnds();
