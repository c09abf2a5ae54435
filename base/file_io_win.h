#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a buffer that takes any path of MAX_PATH characters, each up to three bytes
// in UTF-8.
constexpr DWORD PATH_BYTES = MAX_PATH * 3;

// Reads a whole file: ERROR_SUCCESS with contents filled, or the system's reason with
// contents empty. Others may hold the file open, even for writing, while it is read.
DWORD ReadFileContents(const char* path, std::vector<uint8_t>& contents);

// Whether a reading failed because there is no such file, rather than one that cannot
// be read.
bool FileIsAbsent(DWORD error);

// Whether a writing failed because the folder may not be written.
bool WriteIsRefused(DWORD error);

// Replaces a file's contents all at once: the data goes to a temporary file beside it,
// which takes the old file's place only when complete. On failure the old file stays.
// ERROR_SUCCESS, or the system's reason.
DWORD ReplaceFileContents(const char* path, const void* data, DWORD size);

// The system's own words for an error, without the line break at their end.
std::string SystemErrorText(DWORD error);
