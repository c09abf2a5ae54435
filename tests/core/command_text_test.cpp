#include "command/command_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

KeyEntry Entry(const char* command, std::vector<KeyReplacement> replacements = {}) {
  KeyEntry entry;
  entry.command = command;
  entry.replacements = std::move(replacements);
  return entry;
}

}  // namespace

TEST(SplitCommandLine, TakesTheFirstWordAndTheRestAsTyped) {
  struct Case {
    const char* line;
    const char* key;
    const char* parameters;
  };
  const Case cases[] = {
      {"   g   two  words  ", "g", "two  words  "},
      {"     ", "", ""},
      {"", "", ""},
      {"g", "g", ""},
      {"g   ", "g", ""},
      {"\tg x", "\tg", "x"},
      {"a\tb  c\t", "a\tb", "c\t"},
  };
  for (const Case& c : cases) {
    const SplitLine split = SplitCommandLine(c.line);
    EXPECT_EQ(split.key, c.key) << '"' << c.line << '"';
    EXPECT_EQ(split.parameters, c.parameters) << '"' << c.line << '"';
  }
}

TEST(ExpandKeyCommand, FillsTheFirstSlotAppliesReplacementsAndEscapes) {
  struct Case {
    const char* name;
    KeyEntry entry;
    const char* parameters;
    const char* expanded;
  };
  const Case cases[] = {
      {"plus escaped", Entry("http://h/search?q=%s"), "a+b", "http://h/search?q=a%2bb"},
      {"first slot only", Entry("cmd %s and %s"), "p", "cmd p and %s"},
      {"no slot drops the parameters", Entry("notepad"), "file.txt", "notepad"},
      {"inserted text is not searched for a slot", Entry("prog %s"), "%s x", "prog %s x"},
      {"blanks joined by hyphens", Entry("http://e/%s", {{" ", "-"}}), "red shoes", "http://e/red-shoes"},
      {"replacements never rescan their output", Entry("%s", {{"a", "aa"}, {"aaa", "b"}}), "aXa", "aaXaa"},
      {"an empty from is skipped", Entry("%s", {{"", "x"}, {"o", "0"}}), "foo", "f00"},
      {"& and # kept in a web search", Entry("HTTPS://h/?a=1&q=%s#top"), "AT&T C# \"x\"",
       "HTTPS://h/?a=1&q=AT%26T C%23 \\\"x\\\"#top"},
      {"& and # untouched for a program", Entry("prog %s"), "a&b#c", "prog a&b#c"},
      {"backslashes doubled", Entry("C:\\Tools\\run.exe %s"), "D:\\x", "C:\\\\Tools\\\\run.exe D:\\\\x"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandKeyCommand(c.entry, c.parameters), c.expanded) << c.name;
}

TEST(EscapeCommandText, EscapesQuotesPlusesAndBackslashesOfAnyLength) {
  std::string text = "a\"b+c\\d &%# \xE9";
  EscapeCommandText(text);
  EXPECT_EQ(text, "a\\\"b%2bc\\\\d &%# \xE9");

  std::string pluses(4000, '+');
  EscapeCommandText(pluses);
  EXPECT_EQ(pluses.size(), 12000u);
  EXPECT_EQ(pluses.find_first_not_of("%2b"), std::string::npos);
}
