#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "keys/key_entry_store.h"

// A plan's target for an entry whose key the store lacks, for one with a built-in key,
// and for one with an empty key.
constexpr size_t IMPORT_AS_NEW = SIZE_MAX;
constexpr size_t IMPORT_SKIPS_BUILTIN = SIZE_MAX - 1;
constexpr size_t IMPORT_SKIPS_BLANK = SIZE_MAX - 2;

// What importing key words would do, worked out before the store changes.
struct KeyImport {
  std::vector<KeyEntry> entries;  // as read, in the file's order
  std::vector<size_t> targets;    // per entry: the user entry it pairs with, or one of the above
  size_t existing = 0;            // the entries that pair with a user entry
};

// Key words read from a file meet the store as the Edit User Keys dialog's Add has them
// meet it: an empty key (which a line of blanks would run) and a built-in key are
// skipped, a new key is appended. An entry whose key user
// entries not marked for removal have pairs with the first of them not yet paired, so
// that importing a store's own export changes nothing, and importing it into an empty
// store gives it back, duplicate keys included.
KeyImport PlanKeyImport(const KeyEntryStore& store, std::vector<KeyEntry> entries);

// What to do with the imported entries that pair with a user entry.
enum class ExistingKeys { Replace, Skip };

struct KeyImportCounts {
  size_t added = 0;
  size_t replaced = 0;
  size_t skippedBlank = 0;
  size_t skippedBuiltin = 0;
  size_t skippedExisting = 0;
};

// Carries out a plan made for this store, unchanged since.
KeyImportCounts ApplyKeyImport(KeyEntryStore& store, KeyImport import, ExistingKeys existingKeys);
