#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "keys/key_entry_store.h"

// "keyentries.dat": the user's entries (those after the built-in ones), little-endian,
// without padding. A header of version (int32, always 1) and entry count (int32), then
// per entry: key, command and parameters, each an int16 length and that many bytes; the
// minimize flag byte; an int16 count of replacement pairs, each from and to as texts.
constexpr int32_t KEY_FILE_VERSION = 1;

// Entries marked for removal are left out.
std::vector<uint8_t> EncodeKeyEntries(const KeyEntryStore& store);

enum class KeyFileRead {
  Whole,         // every byte was taken; saving gives the same file back
  WrongVersion,  // not a version 1 file: nothing was taken
  Damaged,       // the entries before the fault were taken; the rest would be lost
};

// Appends the file's entries to the store. A fault (a file cut short, a negative count
// or length, a text over MAX_KEY_TEXT_LENGTH bytes, bytes after the last entry) ends the
// reading with the entries read completely kept.
KeyFileRead DecodeKeyEntries(const uint8_t* data, size_t size, KeyEntryStore& store);
