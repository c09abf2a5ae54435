#include "command/key_command.h"

#include <gtest/gtest.h>

#include <tuple>

// Every name but NO is a variable, most of them "!": no name that only a percent-encoding,
// "%s" or typed text would give may be looked up.
static std::optional<std::string> Variable(std::string_view name) {
  if (name == "USERPROFILE") return "C:\\Users\\me";
  if (name == "SLOTS") return "%s{1}";
  return name == "NO" ? std::nullopt : std::optional<std::string>("!");
}

TEST(ExpandKeyCommand, FillsVariablesThenTheTypedLineItsWordsAndTheClipboard) {
  // The stored texts and the filled ones are written "command | parameters".
  const std::tuple<const char*, const char*, std::vector<KeyReplacement>, const char*, const char*> cases[] = {
      {"the first %s only, inserts not searched", "C:\\r %s %s | ", {}, "%s\\x", "C:\\r %s\\x %s | "},
      {"no slot drops the typed line, the parameters' stays", "notepad | %s", {}, "file.txt", "notepad | %s"},
      {"replacements, none rescanned, no empty from", "%s | ", {{"aa", "a"}, {"", "x"}, {"a", "b"}}, "aaaa", "bb | "},
      {"words, a quoted group one, missing ones empty", "{1}/{2}/{3}/{4} | ", {}, "A  \"B C\" D", "A/B C/D/ | "},
      {"{*} as typed after the highest; %s stays", "x {*} %s | {1},{2}", {}, "a b  c \"d\" ", "x c \"d\"  %s | a,b"},
      {"braces that are no slot", "{10}{x}{{1}{*{ | {clipboard", {}, "a", "{10}{x}{a{*{ | {clipboard"},
      {"variables, not typed ones", "%USERPROFILE%{1} | %ProgramFiles(x86)%", {}, "%HOME%", "C:\\Users\\me%HOME% | !"},
      {"no such variable; a value is not looked into", "%NO%%s%SLOTS% | ", {}, "a", "%NO%a%s{1} | "},
      {"percent-encodings stay", "https://h/%E2%82%AC/%3Dx%s% | ", {}, "a", "https://h/%E2%82%AC/%3Dxa% | "},
      {"& and # encoded in an address", "https://h/{1}&{*} | ", {}, "\"AT&T\" C#", "https://h/AT%26T&C%23 | "},
      {"or field", "prog | https://p/?c={clipboard}", {}, "", "prog | https://p/?c=AT%26T %231"},
      {"& and # untouched for a program", "prog %s {clipboard} | ", {}, "a&b#c", "prog a&b#c AT&T #1 | "},
  };
  for (const auto& [name, stored, replacements, typed, filled] : cases) {
    const std::string texts = stored;
    const size_t bar = texts.find(" | ");
    const KeyEntry entry{"key", texts.substr(0, bar), texts.substr(bar + 3), 0, false, replacements};
    const ExpandedKey expanded = ExpandKeyCommand(entry, typed, {Variable, [] { return std::string("AT&T #1"); }});
    EXPECT_EQ(expanded.command + " | " + expanded.parameters, filled) << name;
  }
}
