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
};

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
};

extern AppSettings appSettings;
