#pragma once
#include <windows.h>

// Reads up to capacity bytes from the start of a file; false when it cannot be opened.
bool ReadFileStart(const char* name, void* buffer, DWORD capacity, DWORD* bytesRead);

// Replaces a file's contents all at once: the data goes to a temporary file beside it,
// which takes the old file's place only when complete. On failure the old file stays.
bool ReplaceFileContents(const char* name, const void* data, DWORD size);
