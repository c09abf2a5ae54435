#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_entry_store.h"

// The user's key words as a UTF-8 text file that people can read and edit. The first
// line names the format and its version; then one key word per line, its fields
// separated by tabs: key, command, parameters, "minimize after running" as 0 or 1, then
// any replacement pairs as from=to. Within a field a backslash escapes: \t tab, \n line
// feed, \r carriage return, \\ backslash, \= equals sign (written only in the pairs,
// where a bare = parts from and to). Lines end in CR LF, or LF alone when read.
constexpr char KEY_TEXT_HEADER[] = "Pellomar key words 1";

// A text of the store as the file's UTF-8.
using TextToUtf8 = std::string (*)(std::string_view storeText);
// A text of the file as the store keeps it; false when the store cannot hold it.
using TextFromUtf8 = bool (*)(std::string_view fileText, std::string& storeText);

// The user's entries, not those marked for removal, in store order. Without a
// conversion the texts are written as the store holds them.
std::string EncodeKeyText(const KeyEntryStore& store, TextToUtf8 toUtf8 = nullptr);

struct KeyTextRead {
  bool isKeyText = false;         // the first line is KEY_TEXT_HEADER; else nothing is read
  std::vector<KeyEntry> entries;  // one per line read, in the file's order
  size_t unreadableLines = 0;
};

// Reads a file that EncodeKeyText wrote or someone edited; a leading byte order mark
// and blank lines are passed over. A line is unreadable, skipped and counted, with a
// field missing, a flag other than 0 or 1, a pair without exactly one bare =, a
// backslash before anything but t, n, r, \ and =, more than MAX_KEY_REPLACEMENTS pairs,
// or a text that the conversion refuses or that then has a NUL or over
// MAX_KEY_TEXT_LENGTH bytes.
KeyTextRead DecodeKeyText(std::string_view file, TextFromUtf8 fromUtf8 = nullptr);
