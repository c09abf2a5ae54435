#include "command/key_command.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

// Every name but NO is a variable, most of them "!": no name that only a percent-encoding,
// "%s" or typed text would give may be looked up.
static std::optional<std::string> Variable(std::string_view name) {
  if (name == "USERPROFILE") return "C:\\Users\\me";
  if (name == "SLOTS") return "%s{1}";
  return name == "NO" ? std::nullopt : std::optional<std::string>("!");
}

static std::string copied;
// A bare "cleanup" is a batch file on the system's search path; cmd.exe's delayed
// expansion is on.
static const CommandSources SOURCES = {
    Variable, [] { return copied; },
    [](std::string_view name) { return std::string(name == "cleanup" ? "C:\\Tools\\cleanup.cmd" : ""); },
    [] { return CommandProcessor{true}; }};

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
      {"or field, quoted", "prog | https://p/?c={clipboard}", {}, "", "prog | https://p/?c=\"AT%26T %231\""},
      {"& and # untouched for a program", "prog %s {clipboard} | ", {}, "a&b#c", "prog a&b#c AT&T #1 | "},
      {"address: + \"", "p | {1} \"http://h/{*}\"", {}, "C++ C++ \"x\"", "p | C++ \"http://h/C%2B%2B %22x%22\""},
      {"a slot is a letter", "p | \"C:\\d\\{2}\" -o\"x\"{1}", {}, "\"a b\"", "p | \"C:\\d\\\\\" -o\"xa b\""},
      {"a bare name that stands for a batch file", "cleanup | {1}", {}, "a&b", "cleanup | \"a&b\""},
  };
  copied = "AT&T #1";
  for (const auto& [name, stored, replacements, typed, filled] : cases) {
    const std::string texts = stored;
    const size_t bar = texts.find(" | ");
    const KeyEntry entry{"key", texts.substr(0, bar), texts.substr(bar + 3), 0, false, replacements};
    const ExpandedKey expanded = ExpandKeyCommand(entry, typed, SOURCES);
    EXPECT_EQ(expanded.command + " | " + expanded.parameters, filled) << name;
  }
}

// How CommandLineToArgvW splits parameters: blanks and tabs outside quotes separate
// arguments; 2n backslashes and a quote are n backslashes and a quote that opens or
// closes, 2n+1 are n and a quote character.
static std::vector<std::string> Arguments(std::string_view line) {
  std::vector<std::string> arguments;
  bool quoted = false, between = true;
  for (size_t i = 0, backslashes = 0; i < line.size(); backslashes = line[i++] == '\\' ? backslashes + 1 : 0) {
    const char c = line[i];
    if ((c == ' ' || c == '\t') && !quoted) {
      between = true;
      continue;
    }
    if (std::exchange(between, false)) arguments.emplace_back();
    std::string& argument = arguments.back();
    if (c == '"') argument.resize(argument.size() - (backslashes + 1) / 2);
    if (c != '"' || backslashes % 2 == 1)
      argument += c;
    else
      quoted = !quoted;
  }
  return arguments;
}

// Copied text, in quotes and bare, can neither end the quotes it stands in, nor start
// another argument, nor run a command: in a program's parameters, as the program splits
// them, and in a batch file's, which cmd.exe reads first.
TEST(ExpandKeyCommand, PutsEachValueInAsOneArgumentThatRunsNothing) {
  // What was copied, then "{clipboard}" {clipboard} filled for prog.exe and for run.cmd.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"x\" & calc & \"", R"("x\" & calc & \"" "x\" & calc & \"")", R"("x"" & calc & """ "x"" & calc & """)"},
      {"C:\\src\\", R"("C:\src\\" C:\src\)", R"("C:\src\\" "C:\src\\")"},
      {"a&b|c^d", R"("a&b|c^d" a&b|c^d)", R"("a&b|c^d" "a&b|c^d")"},
      {"%COMSPEC% %1", R"("%COMSPEC% %1" "%COMSPEC% %1")",
       R"("%%cd:~,%COMSPEC%%cd:~,% %%cd:~,%1" "%%cd:~,%COMSPEC%%cd:~,% %%cd:~,%1")"},
      {"a\nb", "\"a\nb\" a\nb", "refused"},
      {"a!", R"("a!" a!)", "refused"},  // delayed expansion is on
  };
  for (const auto& [value, program, batchFile] : cases) {
    copied = value;
    const ExpandedKey forProgram =
        ExpandKeyCommand({"k", "prog.exe", "\"{clipboard}\" {clipboard}", 0, false, {}}, "", SOURCES);
    EXPECT_EQ(forProgram.parameters, program) << value;
    EXPECT_EQ(Arguments(forProgram.parameters), std::vector<std::string>(2, value)) << value;
    const ExpandedKey forBatch =
        ExpandKeyCommand({"k", "run.cmd", "\"{clipboard}\" {clipboard}", 0, false, {}}, "", SOURCES);
    EXPECT_EQ(forBatch.refused ? "refused" : forBatch.parameters, batchFile) << value;
  }
}
