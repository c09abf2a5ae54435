#include "settings/hot_key.h"

#include <gtest/gtest.h>

TEST(HotKey, ReadsAsTheUserWritesItAndNeedsAModifierOrAFunctionKey) {
  struct Case {
    HotKey key;
    const char* text;
    bool acceptable;
  };
  const Case cases[] = {
      {DEFAULT_HOT_KEY, "Ctrl+Alt+K", true},
      {{HOT_KEY_WIN, 0x20}, "Win+Space", true},
      {{0, 0x7B}, "F12", true},
      {{HOT_KEY_CONTROL | HOT_KEY_SHIFT, 0x74}, "Ctrl+Shift+F5", true},
      {{HOT_KEY_SHIFT | HOT_KEY_ALT | HOT_KEY_CONTROL | HOT_KEY_WIN, 0x87}, "Win+Ctrl+Alt+Shift+F24", true},
      {{0, 'K'}, "K", false},
      {{0, 0x6F}, "Num /", false},
      {{0, 0x88}, "Key 136", false},                     // just past F24, and a key without a name
      {{0x10 | HOT_KEY_CONTROL, 'K'}, "Ctrl+K", false},  // a bit of no modifier
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HotKeyText(c.key), c.text);
    EXPECT_EQ(HotKeyAcceptable(c.key), c.acceptable) << c.text;
  }
}
