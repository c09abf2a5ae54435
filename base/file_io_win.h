#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// Reads a whole file; false, with contents empty, when it cannot be opened or read.
bool ReadFileContents(const char* name, std::vector<uint8_t>& contents);

// Replaces a file's contents all at once: the data goes to a temporary file beside it,
// which takes the old file's place only when complete. On failure the old file stays.
bool ReplaceFileContents(const char* name, const void* data, DWORD size);
