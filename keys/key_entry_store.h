#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Every occurrence of from in an expanded command becomes to.
struct KeyReplacement {
  std::string from;
  std::string to;
};

// A key word and what it runs. Texts are ANSI bytes without NULs; a user entry's texts
// are at most MAX_KEY_TEXT_LENGTH bytes.
struct KeyEntry {
  std::string key;
  std::string command;
  std::string parameters;
  // Any value but 0 is on; the file's byte is kept as it was read.
  uint8_t minimizeAfterRunning = 0;
  // Marked by the Edit User Keys dialog, erased by PurgeRemoved; never saved.
  bool removalPending = false;
  std::vector<KeyReplacement> replacements;
};

constexpr size_t MAX_KEY_TEXT_LENGTH = 255;
// "keyentries.dat" counts an entry's pairs in a 16-bit signed integer.
constexpr size_t MAX_KEY_REPLACEMENTS = 32767;

// Built-in key words first (builtinCount of them), then the user's entries in the order
// they were loaded or added. Never sorted; duplicate keys are allowed and the first wins.
struct KeyEntryStore {
  std::vector<KeyEntry> entries;
  size_t builtinCount = 0;

  void Append(KeyEntry entry) { entries.push_back(std::move(entry)); }
  // Marks every entry so far as built-in.
  void SealBuiltins() { builtinCount = entries.size(); }
  // The first entry whose key is exactly key (letter case counts).
  std::optional<size_t> FindByKey(std::string_view key) const;
  // The same, passing over the entries marked for removal.
  std::optional<size_t> FindUnremovedByKey(std::string_view key) const;
  // Whether a built-in entry has exactly this key.
  bool IsBuiltinKey(std::string_view key) const;
  // Erases the user entries marked for removal, keeping the others in order.
  void PurgeRemoved();
};

extern KeyEntryStore keyEntryStore;
