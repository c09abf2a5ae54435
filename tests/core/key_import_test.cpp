#include "keys/key_import.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

TEST(KeyImport, PairsEachKeyWithTheNextUnpairedUserEntryAndCountsWhatTheChoiceDid) {
  KeyEntryStore store;
  for (const char* key : {"g", "gi"}) store.Append({key, "built-in", "", 0, false, {}});
  store.SealBuiltins();
  for (const char* key : {"ed", "zed", "ed", "gone"}) store.Append({key, "old", "", 0, false, {}});
  store.entries[5].removalPending = true;
  // Each read entry's command is its place in the file.
  std::vector<KeyEntry> file;
  for (const char* key : {"ed", "gi", "new", "ed", "ed", "gone", "Zed", "zed", ""})
    file.push_back({key, std::to_string(file.size()), "", 0, false, {}});
  const KeyImport plan = PlanKeyImport(store, file);
  EXPECT_EQ(plan.existing, 3u) << "the number the user is asked about";

  // What a choice does: added, replaced, skipped as blank, as built-in, as in the list; then
  // the user's entries as key=command.
  const auto apply = [&store, &plan](ExistingKeys choice) {
    KeyEntryStore changed = store;
    const KeyImportCounts counts = ApplyKeyImport(changed, plan, choice);
    std::string userEntries;
    for (size_t i = changed.builtinCount; i < changed.entries.size(); ++i)
      userEntries += changed.entries[i].key + "=" + changed.entries[i].command + " ";
    return std::tuple(counts.added, counts.replaced, counts.skippedBlank, counts.skippedBuiltin, counts.skippedExisting,
                      userEntries);
  };
  EXPECT_EQ(apply(ExistingKeys::Replace),
            std::tuple(4u, 3u, 1u, 1u, 0u, "ed=0 zed=7 ed=3 gone=old new=2 ed=4 gone=5 Zed=6 "));
  EXPECT_EQ(apply(ExistingKeys::Skip),
            std::tuple(4u, 0u, 1u, 1u, 3u, "ed=old zed=old ed=old gone=old new=2 ed=4 gone=5 Zed=6 "));
}
