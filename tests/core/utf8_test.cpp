#include "base/utf8.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Utf8, TellsWellFormedTextAndCutsBetweenCharacters) {
  // The text, whether it is well formed, and where a cut at the limit falls.
  const std::tuple<const char*, bool, size_t, size_t> cases[] = {
      {"ascii", true, 3, 3},
      {"Z\xC3\xBCrich", true, 2, 1},             // ü in two bytes, cut inside it
      {"\xE6\x9D\xB1\xE4\xBA\xAC", true, 5, 3},  // 東京
      {"\xF0\x9F\x98\x80!", true, 4, 4},         // an emoji of four bytes, whole
      {"Z\xFCrich", false, 9, 6},                // 1252 bytes
      {"\xC0\xAF", false, 2, 2},                 // an overlong '/'
      {"\xED\xA0\x80", false, 3, 3},             // a surrogate
      {"\xE6\x9D", false, 9, 2},                 // cut short
  };
  for (const auto& [text, valid, limit, cut] : cases)
    EXPECT_EQ(std::pair(IsValidUtf8(text), Utf8CutLength(text, limit)), std::pair(valid, cut)) << text;
}
