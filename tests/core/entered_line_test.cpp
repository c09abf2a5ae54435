#include "command/entered_line.h"

#include <gtest/gtest.h>

#include <tuple>

#include "command/builtin_keywords.h"
#include "keys/key_entry_store.h"
#include "settings/app_settings.h"

// Every name a variable: no built-in address, nor the typed line, may change by it. Of
// the bare names only "regedit" is on the system's search path.
const CommandSources SOURCES = {
    [](std::string_view) -> std::optional<std::string> { return "!"; }, [] { return std::string(); },
    [](std::string_view name) { return std::string(name == "regedit" ? "C:\\Windows\\regedit.exe" : ""); },
    [] { return CommandProcessor{}; }};

class EnteredLine : public testing::Test {
 protected:
  void SetUp() override {
    appSettings = DEFAULT_SETTINGS;
    keyEntryStore = KeyEntryStore{};
    AddBuiltinKeywords();
    // User keys that the reserved words and a built-in key hide, and one of the user's own.
    for (const char* key : {"w", "x", "sys", "sysoff", "ebay"}) keyEntryStore.Append({key, "user", "", 0, false, {}});
    keyEntryStore.Append({"ed", "C:\\Tools\\ed.exe %s", "--fixed %s", 1, false, {}});
    keyEntryStore.Append({"bt", "C:\\Tools\\run.cmd", "{1}", 1, false, {}});
  }
};

TEST_F(EnteredLine, TriesReservedWordsThenKeysThenTheDefaultSearch) {
  const std::pair<const char*, LinePlan> cases[] = {
      {"w example.org", {LineAction::Launch, false, "http://example.org", "", ""}},
      {"w my.httpd.org/a+b", {LineAction::Launch, false, "my.httpd.org/a%2bb", "", "my.httpd.org/a+b"}},
      {"  x C:\\Program Files\\a.exe",
       {LineAction::Launch, false, "C:\\\\Program Files\\\\a.exe", "", "C:\\Program Files\\a.exe"}},
      {"sys l", {LineAction::SystemCommand, false, "l", "", ""}},
      {"sysoff 1h30m", {LineAction::Countdown, false, "1h30m", "", ""}},
      {"ebay red shoes", {LineAction::Launch, false, "https://search.ebay.com/red-shoes", "", ""}},
      {"ed a b", {LineAction::Launch, true, "C:\\\\Tools\\\\ed.exe a b", "--fixed %s", "C:\\Tools\\ed.exe a b"}},
      {"G words", {LineAction::Launch, false, "https://www.google.com/search?q=G words", "", ""}},
      {" AT&T ", {LineAction::Launch, false, "https://www.google.com/search?q= AT%26T ", "", ""}},
      {"bt a\nb", {LineAction::Refused, false, "", "", "bt"}},  // a line break for a batch file
  };
  const auto fields = [](const LinePlan& p) { return std::tie(p.action, p.minimizeFirst, p.command, p.parameters); };
  for (const auto& [line, plan] : cases) {
    const LinePlan planned = PlanEnteredLine(line, SOURCES, false);
    EXPECT_EQ(fields(planned), fields(plan)) << line;
    // What the user named, before the escaping, where the row says it.
    if (!plan.named.empty()) EXPECT_EQ(planned.named, plan.named) << line;
  }
}

TEST_F(EnteredLine, SettingsDecideTheMinimizingAndTheDefaultSearch) {
  appSettings.minimizeAlways = true;
  EXPECT_TRUE(PlanEnteredLine("x calc", SOURCES, false).minimizeFirst);
  EXPECT_FALSE(PlanEnteredLine("sys s", SOURCES, false).minimizeFirst);
  appSettings.defaultSearchEnabled = false;
  EXPECT_EQ(PlanEnteredLine("unknown words", SOURCES, false).action, LineAction::PassOn);
}

TEST_F(EnteredLine, AsAdministratorStartsProgramsAndShortcutsAndBareNamesFromTheSystemsSearchPathOnly) {
  // The line, and the verb and file the shell is handed.
  const std::pair<const char*, const char*> cases[] = {
      {"x regedit", "runas C:\\Windows\\regedit.exe"},  // the system's, whatever the working folder holds
      {"x planted", "open planted"},                    // only the working folder has it
      {"x C:\\Tools\\a.lnk", "runas C:\\\\Tools\\\\a.lnk"},
      {"x notes.txt", "open notes.txt"},
  };
  for (const auto& [line, launch] : cases) {
    const LinePlan plan = PlanEnteredLine(line, SOURCES, true);
    EXPECT_EQ((plan.asAdministrator ? "runas " : "open ") + plan.command, launch) << line;
  }
}
