#pragma once
#include <cstdint>
#include <string>

#include "settings/app_settings.h"

// The modifier bits of a hot key, as RegisterHotKey takes them.
constexpr uint8_t HOT_KEY_ALT = 1;
constexpr uint8_t HOT_KEY_CONTROL = 2;
constexpr uint8_t HOT_KEY_SHIFT = 4;
constexpr uint8_t HOT_KEY_WIN = 8;

struct HotKey {
  uint8_t modifiers;   // HOT_KEY_ bits
  uint8_t virtualKey;  // a Windows virtual key code
};

inline bool operator==(HotKey a, HotKey b) {
  return a.modifiers == b.modifiers && a.virtualKey == b.virtualKey;
}
inline bool operator!=(HotKey a, HotKey b) {
  return !(a == b);
}

constexpr HotKey DEFAULT_HOT_KEY = {DEFAULT_HOT_KEY_MODIFIERS, DEFAULT_HOT_KEY_VIRTUAL_KEY};
static_assert(DEFAULT_HOT_KEY_MODIFIERS == (HOT_KEY_CONTROL | HOT_KEY_ALT), "the default is Ctrl+Alt+K");

inline HotKey HotKeyOf(const AppSettings& settings) {
  return {settings.hotKeyModifiers, settings.hotKeyVirtualKey};
}
inline void SetHotKey(AppSettings& settings, HotKey key) {
  settings.hotKeyModifiers = key.modifiers;
  settings.hotKeyVirtualKey = key.virtualKey;
}

// The key as the user reads it: "Ctrl+Alt+K", "Win+Space", "F12". Keys whose name depends
// on the keyboard layout (the punctuation keys) show their code: "Ctrl+Key 186".
std::string HotKeyText(HotKey key);

// Whether the bar may take the key: one with at least one of Ctrl, Alt, Shift and Win, or
// a function key alone; never a key with other modifier bits.
bool HotKeyAcceptable(HotKey key);
