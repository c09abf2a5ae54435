#include "keys/key_text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string HEADER_LINE = std::string(KEY_TEXT_HEADER) + "\r\n";

// A code page without '!', where '~' takes no byte: the limits count what the store keeps.
bool ToTestCodePage(std::string_view text, std::string& converted) {
  converted.clear();
  for (const char c : text)
    if (c != '~') converted += c;
  return text.find('!') == std::string_view::npos;
}

}  // namespace

TEST(KeyText, WritesEveryFieldEscapedAndReadsItBack) {
  const std::string longest(MAX_KEY_TEXT_LENGTH, 'x');
  KeyEntryStore store;
  store.Append({"g", "builtin", "", 0, false, {}});
  store.SealBuiltins();
  store.Append({"ed", "notepad", "", 7, false, {}});
  store.Append({"gone", "removed", "", 0, true, {}});
  store.Append({"a=b\\", "c:\\tab\there?q=%s", "line\none\r", 0, false, {{"a=b", "c\\d"}, {"", "\t"}}});
  store.Append({longest, "", longest, 1, false, {{longest, longest}}});
  const std::string text = EncodeKeyText(store);
  EXPECT_EQ(text, HEADER_LINE + "ed\tnotepad\t\t1\r\n" +
                      "a=b\\\\\tc:\\\\tab\\there?q=%s\tline\\none\\r\t0\ta\\=b=c\\\\d\t=\\t\r\n" + longest + "\t\t" +
                      longest + "\t1\t" + longest + "=" + longest + "\r\n");

  const KeyEntryStore reloaded = {DecodeKeyText(text).entries, 0};
  EXPECT_EQ(EncodeKeyText(reloaded), text) << "the writer, checked above, and the reader lose nothing";
}

TEST(KeyText, SkipsAndCountsEachLineItCannotRead) {
  std::string tooManyPairs = "k\tc\tp\t0";
  for (size_t i = 0; i <= MAX_KEY_REPLACEMENTS; ++i) tooManyPairs += "\ta=b";
  const std::pair<const char*, std::string> cases[] = {
      {"a field missing", "k\tc\tp"},
      {"a flag other than 0 or 1", "k\tc\tp\t2"},
      {"an empty flag", "k\tc\tp\t"},
      {"a pair without =", "k\tc\tp\t0\tab"},
      {"a pair with two bare =", "k\tc\tp\t0\ta=b=c"},
      {"an unknown escape", "k\\x\tc\tp\t0"},
      {"a backslash ending a text", "k\tc\tp\t0\ta=b\\"},
      {"a text over 255 bytes", std::string(MAX_KEY_TEXT_LENGTH + 1, 'k') + "\tc\tp\t0"},
      {"a NUL in a text", std::string("k\0k\tc\tp\t0", 9)},
      {"a text the store's code page cannot hold", "k\tc!\tp\t0"},
      {"more pairs than keyentries.dat can count", tooManyPairs},
  };
  for (const auto& [name, line] : cases) {
    const std::string file = HEADER_LINE + std::string(300, '~') + "k\tc\tp\t0\r\n" + line + "\nlast\t\t\t1";
    const KeyTextRead read = DecodeKeyText(file, ToTestCodePage);
    EXPECT_EQ(std::pair(read.unreadableLines, read.entries.size()), std::pair(size_t{1}, size_t{2})) << name;
    if (read.entries.size() == 2) EXPECT_EQ(read.entries[1].key, "last") << name;
  }
}

TEST(KeyText, ReadsOnlyAFileWhoseFirstLineNamesItsFormat) {
  for (const char* file : {"", "Pellomar key words 2\r\nk\tc\tp\t0\r\n", "k\tc\tp\t0\r\n"})
    EXPECT_FALSE(DecodeKeyText(file).isKeyText) << file;
  const KeyTextRead read = DecodeKeyText("\xEF\xBB\xBFPellomar key words 1\n\nk\tc\tp\t0\n\n");
  EXPECT_TRUE(read.isKeyText) << "after a byte order mark, with LF line ends and blank lines";
  EXPECT_EQ(read.entries.size(), 1u);
  EXPECT_EQ(read.unreadableLines, 0u);
}
