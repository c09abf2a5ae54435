#pragma once
#include <cstdint>

// The command box's font, laid out byte for byte as the Windows LOGFONTA record, which is
// how the settings file stores it.
struct EditFont {
  int32_t height;
  int32_t width;
  int32_t escapement;
  int32_t orientation;
  int32_t weight;
  uint8_t italic;
  uint8_t underline;
  uint8_t strikeOut;
  uint8_t charSet;
  uint8_t outPrecision;
  uint8_t clipPrecision;
  uint8_t quality;
  uint8_t pitchAndFamily;
  char faceName[32];
};
static_assert(sizeof(EditFont) == 60, "EditFont must match LOGFONTA");

// The user's settings, kept in "config.dat" between runs. Colours are COLORREF values
// (red in the low byte); the two translucency values are opacity percentages.
struct AppSettings {
  int32_t windowLeft;
  int32_t windowTop;
  int32_t snapStrength;
  int32_t translucencyActive;
  int32_t translucencyInactive;
  bool runAtStartup;
  bool saveLastPosition;
  bool minimizeAlways;
  char skinPath[64];
  uint32_t fontColor;
  EditFont editFont;
  uint32_t backColor;
  bool minimizedToTray;
  bool defaultSearchEnabled;
  // Appended to the first layout, whose readers ignore what follows it.
  uint8_t hotKeyModifiers;   // the system's MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8
  uint8_t hotKeyVirtualKey;  // a virtual key code
  bool rememberTypedLines;
  bool findPrograms;  // the bar finds installed programs by a few letters of their names
  bool askBeforeSessionEnd;  // "sys" asks before it logs off, restarts or shuts down
};

// Ctrl+Alt+K, as the modifiers and virtual key that RegisterHotKey takes.
constexpr uint8_t DEFAULT_HOT_KEY_MODIFIERS = 2 | 1;
constexpr uint8_t DEFAULT_HOT_KEY_VIRTUAL_KEY = 'K';

constexpr char DEFAULT_SKIN_FILE[] = "sk_default.bmp";

constexpr AppSettings DEFAULT_SETTINGS = {
    0,      // windowLeft
    0,      // windowTop
    25,     // snapStrength
    85,     // translucencyActive
    28,     // translucencyInactive
    true,   // runAtStartup
    true,   // saveLastPosition
    false,  // minimizeAlways
    "sk_default.bmp",
    0x00333333,                                            // fontColor
    {-12, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "arial"},  // bold 12-pixel Arial
    0x00FFFFFF,                                            // backColor
    false,                                                 // minimizedToTray
    true,                                                  // defaultSearchEnabled
    DEFAULT_HOT_KEY_MODIFIERS,
    DEFAULT_HOT_KEY_VIRTUAL_KEY,
    true,  // rememberTypedLines
    true,   // findPrograms
    false,  // askBeforeSessionEnd
};

extern AppSettings appSettings;
