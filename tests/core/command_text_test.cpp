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

TEST(ExpandKeyCommand, FillsTheFirstSlotAndAppliesTheReplacements) {
  const std::tuple<const char*, const char*, std::vector<KeyReplacement>, const char*, const char*> cases[] = {
      {"first slot only, inserts not searched", "C:\\run %s and %s", {}, "%s\\x", "C:\\run %s\\x and %s"},
      {"no slot drops the parameters", "notepad", {}, "file.txt", "notepad"},
      {"replacements in order, never rescanning their output", "%s", {{"aa", "a"}, {"a", "b"}}, "aaaa", "bb"},
      {"an empty from is skipped", "%s", {{"", "x"}, {"o", "0"}}, "foo", "f00"},
      {"& and # encoded in a web address", "HTTPS://h/?a&q=%s#t", {}, "AT&T C#", "HTTPS://h/?a&q=AT%26T C%23#t"},
      {"& and # untouched for a program", "prog %s", {}, "a&b#c", "prog a&b#c"}};
  for (const auto& [name, command, replacements, parameters, expanded] : cases)
    EXPECT_EQ(ExpandKeyCommand({"key", command, "", 0, false, replacements}, parameters), expanded) << name;
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
