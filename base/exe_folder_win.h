#pragma once
#include <string>

// The folder of the running executable, with its trailing separator; empty when its
// path is too long for the program's files in it to be read and saved.
std::string ExeFolder();

// Makes the executable's folder the working directory, so that the program's files are
// found by their bare names wherever it was started from or a file chooser has been;
// returns that folder.
std::string SetWorkingDirectoryToExe();
