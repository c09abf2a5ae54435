#pragma once
#include <cstddef>

// Length of the folder part of a path, its last '\\', '/' or ':' included; 0 when the
// path names no folder.
size_t FolderPartLength(const char* path);
