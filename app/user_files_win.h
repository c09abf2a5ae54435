#pragma once

// The user's files, "config.dat" and "keyentries.dat", are written beside the executable
// whatever folder a file chooser has left as the working directory.

// Both files, while the bar still lives: for a Windows session that ends without the
// program's normal exit.
void SaveFilesBeforeSessionEnds();

// The last save of a normal exit, after the message loop: the key entries (the bar's
// destruction has saved the settings).
void SaveKeyEntriesAtExit();
