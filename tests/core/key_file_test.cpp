#include "keys/key_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/hex_bytes.h"

namespace {

// ed, notepad, no parameters, the flag on, no replacements: 18 bytes.
const Bytes ED_ENTRY = FromHex("0200 6564 0700 6e6f7465706164 0000 01 0000");

Bytes KeyFile(int32_t count, std::initializer_list<Bytes> parts) {
  Bytes file = FromHex("01000000");
  for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<uint8_t>(count >> shift));
  for (const Bytes& part : parts) file.insert(file.end(), part.begin(), part.end());
  return file;
}

// A store holding one built-in entry, as the program's holds its eighteen.
KeyEntryStore StoreWithBuiltin() {
  KeyEntryStore store;
  store.Append({"g", "http://search/%s", "", 0, false, {{" ", "+"}}});
  store.SealBuiltins();
  return store;
}

KeyEntryStore Decoded(const Bytes& file, KeyFileRead expected) {
  KeyEntryStore store = StoreWithBuiltin();
  EXPECT_EQ(DecodeKeyEntries(file.data(), file.size(), store), expected);
  return store;
}

}  // namespace

TEST(KeyFile, WritesOnlyTheUserEntriesInTheKnownLayout) {
  KeyEntryStore store = StoreWithBuiltin();
  EXPECT_EQ(EncodeKeyEntries(store), FromHex("01000000 00000000"));
  store.Append({"ed", "notepad", "", 1, true, {}});
  EXPECT_EQ(ED_ENTRY.size(), 18u);
  EXPECT_EQ(EncodeKeyEntries(store), KeyFile(1, {ED_ENTRY})) << "a pending removal is not stored";
}

TEST(KeyFile, EveryFieldSurvivesASaveAndALoad) {
  KeyEntryStore store = StoreWithBuiltin();
  const std::string longest(MAX_KEY_TEXT_LENGTH, 'x');
  store.Append({"", "", "", 0, false, {}});
  store.Append({longest, longest, longest, 7, false, {{"a", "b"}, {"", "kept"}, {longest, ""}}});
  store.Append({"dup", "first", "-p 1", 1, false, {}});
  store.Append({"dup", "second", "", 0, false, {}});
  const Bytes file = EncodeKeyEntries(store);

  const KeyEntryStore loaded = Decoded(file, KeyFileRead::Whole);
  ASSERT_EQ(loaded.entries.size(), 5u);
  EXPECT_EQ(loaded.builtinCount, 1u);
  const KeyEntry& full = loaded.entries[2];
  EXPECT_EQ(full.key, longest);
  EXPECT_EQ(full.parameters, longest);
  EXPECT_EQ(full.minimizeAfterRunning, 7);
  ASSERT_EQ(full.replacements.size(), 3u);
  EXPECT_EQ(full.replacements[1].to, "kept");
  EXPECT_EQ(loaded.entries[3].command, "first");
  EXPECT_EQ(loaded.entries[4].command, "second");
  EXPECT_EQ(EncodeKeyEntries(loaded), file);
}

TEST(KeyFile, ADamagedFileKeepsTheEntriesReadWhole) {
  struct Case {
    const char* name;
    Bytes file;
    KeyFileRead result;
    size_t entriesKept;
  };
  const Bytes cutEntry(ED_ENTRY.begin(), ED_ENTRY.begin() + 5);
  Bytes tooLong = FromHex("0001");
  tooLong.resize(2 + 256, 'a');
  const Case cases[] = {
      {"no entries", KeyFile(0, {}), KeyFileRead::Whole, 0},
      {"wrong version", FromHex("02000000 01000000 0200 6564"), KeyFileRead::WrongVersion, 0},
      {"shorter than its header", FromHex("01000000 0100"), KeyFileRead::Damaged, 0},
      {"negative count", KeyFile(-1, {ED_ENTRY}), KeyFileRead::Damaged, 0},
      {"count beyond the entries", KeyFile(3, {ED_ENTRY, ED_ENTRY}), KeyFileRead::Damaged, 2},
      {"cut inside an entry", KeyFile(2, {ED_ENTRY, cutEntry}), KeyFileRead::Damaged, 1},
      {"negative length", KeyFile(2, {ED_ENTRY, FromHex("ffff 00")}), KeyFileRead::Damaged, 1},
      {"text over 255 bytes", KeyFile(1, {tooLong}), KeyFileRead::Damaged, 0},
      {"bytes after the last entry", KeyFile(1, {ED_ENTRY, FromHex("00")}), KeyFileRead::Damaged, 1},
      {"NUL inside a text", KeyFile(1, {FromHex("0200 6500 0000 0000 00 0000")}), KeyFileRead::Damaged, 1},
      {"negative pair count", KeyFile(1, {FromHex("0000 0000 0000 00 ffff")}), KeyFileRead::Damaged, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const KeyEntryStore store = Decoded(c.file, c.result);
    EXPECT_EQ(store.entries.size(), 1 + c.entriesKept);
    EXPECT_EQ(store.entries[0].key, "g") << "the built-in entry stays first";
  }
}
