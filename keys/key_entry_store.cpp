#include "keys/key_entry_store.h"

#include <algorithm>

KeyEntryStore keyEntryStore;

std::optional<size_t> KeyEntryStore::FindByKey(std::string_view key) const {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].key == key) return i;
  return std::nullopt;
}

std::optional<size_t> KeyEntryStore::FindUnremovedByKey(std::string_view key) const {
  for (size_t i = 0; i < entries.size(); ++i)
    if (!entries[i].removalPending && entries[i].key == key) return i;
  return std::nullopt;
}

bool KeyEntryStore::IsBuiltinKey(std::string_view key) const {
  // Only the built-in entries are looked at: an import asks for every key it reads.
  for (size_t i = 0; i < builtinCount; ++i)
    if (entries[i].key == key) return true;
  return false;
}

void KeyEntryStore::PurgeRemoved() {
  const auto userEntries = entries.begin() + static_cast<std::ptrdiff_t>(builtinCount);
  entries.erase(std::remove_if(userEntries, entries.end(), [](const KeyEntry& e) { return e.removalPending; }),
                entries.end());
}
