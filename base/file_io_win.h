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

// A whole file seen in place, read-only: its pages are the file's, none of the process's
// own. Others may hold the file open, even for writing, but none can make it shorter while
// it is seen.
struct FileView {
  const uint8_t* data;
  size_t size;
};

// ERROR_SUCCESS with the view (empty for an empty file), or the system's reason with it
// empty. Each view opened is closed with CloseFileView.
DWORD OpenFileView(const char* path, FileView& view);
void CloseFileView(FileView& view);

// Whether the file holds these very bytes.
bool FileHolds(const char* path, const void* data, size_t size);

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
