#include "keys/key_file.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/core/hex_bytes.h"

// "ed" runs notepad with "-p", minimized; in its command a blank becomes a hyphen.
const std::string ED_ENTRY = "0200 6564 0700 6e6f7465706164 0200 2d70 01 0100 0100 20 0100 2d";

// One built-in entry, as the program's store holds its own.
const KeyEntryStore BUILTIN_ONLY = {{{"g", "http://search/%s", "", 0, false, {}}}, 1};

TEST(KeyFile, WritesOnlyTheUserEntriesInTheKnownLayout) {
  KeyEntryStore store = BUILTIN_ONLY;
  EXPECT_EQ(EncodeKeyEntries(store), FromHex("01000000 00000000"));
  store.Append({"ed", "notepad", "-p", 1, false, {{" ", "-"}}});
  store.Append({"gone", "removed in a dialog still open", "", 0, true, {}});
  EXPECT_EQ(EncodeKeyEntries(store), FromHex("01000000 01000000" + ED_ENTRY));
}

TEST(KeyFile, ReadsTheEntriesBeforeTheFirstFault) {
  // 255 bytes of 0xaa; what follows a key: no command, parameters or pairs, flag byte 7.
  const std::string bytes255(510, 'a'), rest = "0000 0000 07 0000";
  const KeyFileRead WHOLE = KeyFileRead::Whole, DAMAGED = KeyFileRead::Damaged;
  const std::tuple<const char*, Bytes, KeyFileRead, size_t> cases[] = {
      {"no entries", FromHex("01000000 00000000"), WHOLE, 0},
      {"texts of 0 to 255 bytes, flag 7", FromHex("01000000 02000000" + ED_ENTRY + "ff00" + bytes255 + rest), WHOLE, 2},
      {"wrong version", FromHex("02000000 01000000" + ED_ENTRY), KeyFileRead::WrongVersion, 0},
      {"shorter than its header", FromHex("01000000 0100"), DAMAGED, 0},
      {"negative count", FromHex("01000000 ffffffff"), DAMAGED, 0},
      {"count beyond the entries", FromHex("01000000 03000000" + ED_ENTRY + ED_ENTRY), DAMAGED, 2},
      {"cut inside a text", FromHex("01000000 02000000" + ED_ENTRY + "0700 616161"), DAMAGED, 1},
      {"negative length", FromHex("01000000 02000000" + ED_ENTRY + "ffff 61"), DAMAGED, 1},
      {"text over 255 bytes", FromHex("01000000 01000000 0001" + bytes255 + "aa" + rest), DAMAGED, 0},
      {"bytes after the last entry", FromHex("01000000 01000000" + ED_ENTRY + "00"), DAMAGED, 1},
      {"NUL inside a text", FromHex("01000000 01000000 0200 6500" + rest), DAMAGED, 1},
      {"negative pair count", FromHex("01000000 01000000 0000 0000 0000 00 ffff"), DAMAGED, 1},
  };
  for (const auto& [name, file, result, entriesKept] : cases) {
    KeyEntryStore store = BUILTIN_ONLY;
    EXPECT_EQ(DecodeKeyEntries(file.data(), file.size(), store), result) << name;
    EXPECT_EQ(store.entries.size(), 1 + entriesKept) << name;
    if (result == WHOLE) EXPECT_EQ(EncodeKeyEntries(store), file) << name;
  }
}
