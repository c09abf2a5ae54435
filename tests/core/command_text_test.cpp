#include "command/command_text.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(SplitCommandLine, TakesTheFirstWordAndTheRestAsTyped) {
  const std::tuple<const char*, std::string_view, std::string_view> cases[] = {
      {"   g   two  words  ", "g", "two  words  "},
      {"     ", "", ""},
      {"g   ", "g", ""},
      {"\ta\tb x\t", "\ta\tb", "x\t"},  // a tab is no blank
  };
  for (const auto& [line, key, parameters] : cases) {
    const SplitLine split = SplitCommandLine(line);
    EXPECT_EQ(std::pair(split.key, split.parameters), std::pair(key, parameters)) << '"' << line << '"';
  }
}

TEST(EscapeCommandText, EscapesQuotesPlusesAndBackslashesOfAnyLength) {
  std::string text = "a\"b+c\\d &%# \xE9", expected = "a\\\"b%2bc\\\\d &%# \xE9";
  for (int i = 0; i < 2000; ++i) {
    text += "+\\\"";
    expected += "%2b\\\\\\\"";
  }
  EscapeCommandText(text);
  EXPECT_EQ(text, expected);
}
