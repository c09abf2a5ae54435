// The history of typed lines and its file, read as if each line had just run.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "command/history_file.h"

TEST(History, KeepsEachLineOnceNewestFirstInAFileOfLines) {
  // What the file holds, and the lines kept.
  const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
      {"CR LF and LF endings; a line run again moves to the front", "a\r\nb\nc\r\na", {"a", "c", "b"}},
      {"empty lines skipped, a long line cut", "\r\n\n" + std::string(130, 'x'), {std::string(127, 'x')}},
      {"UTF-8 cut between two characters", std::string(126, 'x') + "\xC3\xA9", {std::string(126, 'x')}},
      {"damaged: a NUL byte", std::string("a\r\n\0", 4), {}},
  };
  for (const auto& [name, file, kept] : cases) EXPECT_EQ(DecodeHistory(file).Lines(), kept) << name;
  std::string hundredAndOne;
  for (int i = 0; i <= 100; ++i) hundredAndOne += std::to_string(i) + "\n";
  EXPECT_EQ(DecodeHistory(hundredAndOne).Lines().back(), "1") << "only the newest 100 are kept";
  EXPECT_EQ(EncodeHistory(DecodeHistory("g one\r\n wiki two \r\n")), "g one\r\n wiki two \r\n");
}

// Keys: U Up, D Down, E Esc, x types an x. After each key the box's text, or "-" where
// the key took no step through the history of a, b and c.
TEST(History, UpAndDownWalkFromTheLineBeingTypedAndBack) {
  // What the box holds, the keys, what it shows.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"t", "UUUUDDDD", "c|b|a|a|b|c|t|-|"},  // past the oldest, back past the newest
      {"t", "UUEED", "c|b|t|-|-|"},           // Esc gives back the line being typed
      {"c", "UD", "b|c|"},                    // the line just run, still in the box, is passed over
      {"t", "UxUD", "c|cx|c|cx|"},            // an edited line is the line being typed
  };
  for (const auto& [typed, keys, expected] : cases) {
    TypedLineHistory history = DecodeHistory("a\nb\nc");
    std::string box = typed, shown;
    for (const char* key = keys; *key; ++key) {
      const std::optional<std::string> step = *key == 'U'   ? history.Older(box)
                                              : *key == 'D' ? history.Newer(box)
                                              : *key == 'E' ? history.Abandon(box)
                                                            : box + "x";
      shown += (step ? box = *step : "-") + "|";
    }
    EXPECT_EQ(shown, expected) << keys;
  }
}
