#include "settings/hot_key.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(HotKey, ReadsAsTheUserWritesItAndNeedsAModifierOrAFunctionKey) {
  // The key, how it reads, and whether the bar may take it.
  const std::tuple<HotKey, const char*, bool> cases[] = {
      {DEFAULT_HOT_KEY, "Ctrl+Alt+K", true},
      {{HOT_KEY_WIN, 0x20}, "Win+Space", true},
      {{0, 0x7B}, "F12", true},
      {{HOT_KEY_SHIFT | HOT_KEY_ALT | HOT_KEY_CONTROL | HOT_KEY_WIN, 0x87}, "Win+Ctrl+Alt+Shift+F24", true},
      {{0, 'K'}, "K", false},
      {{0, 0x6F}, "Num /", false},
      {{0, 0x88}, "Key 136", false},                     // just past F24, and a key without a name
      {{0x10 | HOT_KEY_CONTROL, 'K'}, "Ctrl+K", false},  // a bit of no modifier
  };
  for (const auto& [key, text, acceptable] : cases)
    EXPECT_EQ(std::pair(HotKeyText(key), HotKeyAcceptable(key)), std::pair(std::string(text), acceptable)) << text;
}
