#include "keys/key_import.h"

#include <algorithm>
#include <string_view>
#include <utility>

KeyImport PlanKeyImport(const KeyEntryStore& store, std::vector<KeyEntry> entries) {
  // The user entries not marked for removal, sorted by key and, within a key, by place, so
  // that a binary search finds a key's run and pairing takes the run's entries in order.
  const auto keyOf = [&store](size_t index) { return std::string_view(store.entries[index].key); };
  std::vector<size_t> unremoved;
  for (size_t i = store.builtinCount; i < store.entries.size(); ++i)
    if (!store.entries[i].removalPending) unremoved.push_back(i);
  std::sort(unremoved.begin(), unremoved.end(),
            [&keyOf](size_t a, size_t b) { return std::pair(keyOf(a), a) < std::pair(keyOf(b), b); });
  // Per run, counted at its first place: how many of its entries are paired already.
  std::vector<size_t> pairedInRun(unremoved.size());

  KeyImport import;
  import.targets.assign(entries.size(), IMPORT_AS_NEW);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].key.empty()) {
      import.targets[i] = IMPORT_SKIPS_BLANK;
      continue;
    }
    if (store.IsBuiltinKey(entries[i].key)) {
      import.targets[i] = IMPORT_SKIPS_BUILTIN;
      continue;
    }
    const std::string_view key = entries[i].key;
    const auto run =
        std::lower_bound(unremoved.begin(), unremoved.end(), key,
                         [&keyOf](size_t index, std::string_view wanted) { return keyOf(index) < wanted; });
    if (run == unremoved.end()) continue;
    size_t& paired = pairedInRun[run - unremoved.begin()];
    const auto next = run + paired;
    if (next == unremoved.end() || keyOf(*next) != key) continue;
    import.targets[i] = *next;
    ++paired;
    ++import.existing;
  }
  import.entries = std::move(entries);
  return import;
}

KeyImportCounts ApplyKeyImport(KeyEntryStore& store, KeyImport import, ExistingKeys existingKeys) {
  KeyImportCounts counts;
  for (size_t i = 0; i < import.entries.size(); ++i) {
    const size_t target = import.targets[i];
    if (target == IMPORT_SKIPS_BLANK) {
      ++counts.skippedBlank;
    } else if (target == IMPORT_SKIPS_BUILTIN) {
      ++counts.skippedBuiltin;
    } else if (target == IMPORT_AS_NEW) {
      store.Append(std::move(import.entries[i]));
      ++counts.added;
    } else if (existingKeys == ExistingKeys::Replace) {
      store.entries[target] = std::move(import.entries[i]);
      ++counts.replaced;
    } else {
      ++counts.skippedExisting;
    }
  }
  return counts;
}
