#include "keys/key_entry_store.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// "g" and "gi" built in, then the user's; entries 1 (against the rules), 2 and 6 are marked
// for removal.
KeyEntryStore Store() {
  KeyEntryStore store = {{}, 2};
  for (const char* key : {"g", "gi", "ed", "ed", "G", "gi", "a", "b"}) store.Append({key, "", "", 0, false, {}});
  for (const size_t marked : {1, 2, 6}) store.entries[marked].removalPending = true;
  return store;
}

}  // namespace

TEST(KeyEntryStore, FindsTheFirstEntryWithExactlyTheKey) {
  // The key, the first entry with it, the first not marked for removal, whether the key is
  // built in; {} for none.
  const std::tuple<const char*, std::optional<size_t>, std::optional<size_t>, bool> cases[] = {
      {"g", 0, 0, true},  {"gi", 1, 5, true},  {"ed", 2, 3, false},
      {"G", 4, 4, false}, {"a", 6, {}, false}, {"e", {}, {}, false},
  };
  const KeyEntryStore store = Store();
  for (const auto& [key, first, firstUnremoved, builtin] : cases)
    EXPECT_EQ(std::tuple(store.FindByKey(key), store.FindUnremovedByKey(key), store.IsBuiltinKey(key)),
              std::tuple(first, firstUnremoved, builtin))
        << key;
}

TEST(KeyEntryStore, PurgeRemovedErasesOnlyTheMarkedUserEntries) {
  KeyEntryStore store = Store();
  store.PurgeRemoved();
  std::string keys;
  for (const KeyEntry& entry : store.entries) keys += entry.key + ' ';
  EXPECT_EQ(keys, "g gi ed G gi b ");
}
