#include "keys/key_import.h"

#include <string_view>
#include <unordered_map>

KeyImport PlanKeyImport(const KeyEntryStore& store, std::vector<KeyEntry> entries) {
  // Each key's user entries, the first last, so that pairing takes them from the back.
  std::unordered_map<std::string_view, std::vector<size_t>> unpaired;
  for (size_t i = store.entries.size(); i-- > store.builtinCount;)
    if (!store.entries[i].removalPending) unpaired[store.entries[i].key].push_back(i);

  KeyImport import;
  import.targets.assign(entries.size(), IMPORT_AS_NEW);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (store.IsBuiltinKey(entries[i].key)) {
      import.targets[i] = IMPORT_SKIPS_BUILTIN;
      continue;
    }
    const auto found = unpaired.find(entries[i].key);
    if (found == unpaired.end() || found->second.empty()) continue;
    import.targets[i] = found->second.back();
    found->second.pop_back();
    ++import.existing;
  }
  import.entries = std::move(entries);
  return import;
}

KeyImportCounts ApplyKeyImport(KeyEntryStore& store, KeyImport import, ExistingKeys existingKeys) {
  KeyImportCounts counts;
  for (size_t i = 0; i < import.entries.size(); ++i) {
    const size_t target = import.targets[i];
    if (target == IMPORT_SKIPS_BUILTIN) {
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
