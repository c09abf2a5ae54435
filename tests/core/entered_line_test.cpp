#include "command/entered_line.h"

#include <gtest/gtest.h>

#include "command/builtin_keywords.h"
#include "keys/key_entry_store.h"
#include "settings/app_settings.h"

namespace {

class EnteredLine : public testing::Test {
 protected:
  void SetUp() override {
    appSettings = DEFAULT_SETTINGS;
    keyEntryStore = KeyEntryStore{};
    AddBuiltinKeywords();
    // User keys that the reserved words and the built-in keys hide, and one of the user's own.
    for (const char* hidden : {"w", "sys", "gi"}) keyEntryStore.Append({hidden, "user", "", 0, false, {}});
    keyEntryStore.Append({"ed", "C:\\Tools\\ed.exe %s", "--fixed %s", 1, false, {}});
  }
};

}  // namespace

TEST_F(EnteredLine, TriesReservedWordsThenKeysThenTheDefaultSearch) {
  struct Case {
    const char* line;
    LineAction action;
    bool minimizeFirst;
    const char* command;
    const char* parameters;
  };
  const LineAction LAUNCH = LineAction::Launch;
  const Case cases[] = {
      {"w example.org", LAUNCH, false, "http://example.org", ""},
      {"w https://x.org/a+b", LAUNCH, false, "https://x.org/a%2bb", ""},
      {"w my.httpd.org", LAUNCH, false, "my.httpd.org", ""},
      {"w", LAUNCH, false, "http://", ""},
      {"  x C:\\Program Files\\a.exe", LAUNCH, false, "C:\\\\Program Files\\\\a.exe", ""},
      {"x", LAUNCH, false, "", ""},
      {"sys l", LineAction::SystemCommand, false, "l", ""},
      {"sys l ", LineAction::SystemCommand, false, "l ", ""},
      {"sysoff 1h30m", LineAction::Countdown, false, "1h30m", ""},
      {"gi cats", LAUNCH, false, "http://images.google.com/images?q=cats", ""},
      {"ebay red shoes", LAUNCH, false, "http://search.ebay.com/red-shoes", ""},
      {"note file.txt", LAUNCH, false, "notepad", ""},
      {"ed a b", LAUNCH, true, "C:\\\\Tools\\\\ed.exe a b", "--fixed %s"},
      {"G words", LAUNCH, false, "http://www.google.com/search?q=G words", ""},
      {"   ", LAUNCH, false, "http://www.google.com/search?q=   ", ""},
      {" AT&T ", LAUNCH, false, "http://www.google.com/search?q= AT%26T ", ""},
  };
  for (const Case& c : cases) {
    const LinePlan plan = PlanEnteredLine(c.line);
    EXPECT_EQ(plan.action, c.action) << c.line;
    EXPECT_EQ(plan.minimizeFirst, c.minimizeFirst) << c.line;
    EXPECT_EQ(plan.command, c.command) << c.line;
    EXPECT_EQ(plan.parameters, c.parameters) << c.line;
  }
}

TEST_F(EnteredLine, SettingsDecideTheMinimizingAndTheDefaultSearch) {
  appSettings.minimizeAlways = true;
  EXPECT_TRUE(PlanEnteredLine("g a").minimizeFirst);
  EXPECT_TRUE(PlanEnteredLine("x calc").minimizeFirst);
  EXPECT_FALSE(PlanEnteredLine("sys s").minimizeFirst);
  appSettings.defaultSearchEnabled = false;
  EXPECT_EQ(PlanEnteredLine("unknown words").action, LineAction::PassOn);
}

TEST_F(EnteredLine, BuiltinKeysAreTheEighteenWithTheDefaultSearchFirst) {
  EXPECT_EQ(keyEntryStore.builtinCount, 18u);
  EXPECT_EQ(keyEntryStore.entries[0].key, "g");
  EXPECT_EQ(keyEntryStore.entries[17].command, "notepad");
  EXPECT_TRUE(IsBuiltinKey("gi"));
  for (const char* other : {"Gi", "gim", "w", "ed"}) EXPECT_FALSE(IsBuiltinKey(other)) << other;
}
