#include "settings/hot_key.h"

namespace {

// Virtual key codes, which the portable core cannot take from windows.h.
constexpr uint8_t VK_NUMPAD0_CODE = 0x60;
constexpr uint8_t VK_F1_CODE = 0x70;
constexpr uint8_t VK_F24_CODE = 0x87;

struct Name {
  uint8_t code;
  const char* text;
};

// In the order a shortcut is written: "Win+Ctrl+Alt+Shift+key".
const Name MODIFIER_NAMES[] = {
    {HOT_KEY_WIN, "Win"}, {HOT_KEY_CONTROL, "Ctrl"}, {HOT_KEY_ALT, "Alt"}, {HOT_KEY_SHIFT, "Shift"}};

const Name KEY_NAMES[] = {
    {0x08, "Backspace"},    {0x09, "Tab"},    {0x0D, "Enter"},   {0x13, "Pause"},     {0x14, "Caps Lock"},
    {0x1B, "Esc"},          {0x20, "Space"},  {0x21, "Page Up"}, {0x22, "Page Down"}, {0x23, "End"},
    {0x24, "Home"},         {0x25, "Left"},   {0x26, "Up"},      {0x27, "Right"},     {0x28, "Down"},
    {0x2C, "Print Screen"}, {0x2D, "Insert"}, {0x2E, "Delete"},  {0x6A, "Num *"},     {0x6B, "Num +"},
    {0x6D, "Num -"},        {0x6E, "Num ."},  {0x6F, "Num /"},   {0x90, "Num Lock"},  {0x91, "Scroll Lock"},
};

bool IsFunctionKey(uint8_t code) {
  return code >= VK_F1_CODE && code <= VK_F24_CODE;
}

std::string Numbered(const char* name, int number) {
  std::string text = name;
  text += std::to_string(number);
  return text;
}

std::string KeyName(uint8_t code) {
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, static_cast<char>(code));
  if (IsFunctionKey(code)) return Numbered("F", code - VK_F1_CODE + 1);
  if (code >= VK_NUMPAD0_CODE && code <= VK_NUMPAD0_CODE + 9) return Numbered("Num ", code - VK_NUMPAD0_CODE);
  for (const Name& name : KEY_NAMES)
    if (name.code == code) return name.text;
  return Numbered("Key ", code);
}

}  // namespace

std::string HotKeyText(HotKey key) {
  std::string text;
  for (const Name& modifier : MODIFIER_NAMES) {
    if (!(key.modifiers & modifier.code)) continue;
    text += modifier.text;
    text += '+';
  }
  return text + KeyName(key.virtualKey);
}

bool HotKeyAcceptable(HotKey key) {
  const uint8_t known = HOT_KEY_ALT | HOT_KEY_CONTROL | HOT_KEY_SHIFT | HOT_KEY_WIN;
  if (key.virtualKey == 0 || (key.modifiers & ~known) != 0) return false;
  return key.modifiers != 0 || IsFunctionKey(key.virtualKey);
}
