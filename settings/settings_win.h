#pragma once
#include <windows.h>

#include <cstddef>
#include <cstring>

#include "settings/app_settings.h"

constexpr char SETTINGS_FILE[] = "config.dat";

// Fills appSettings from "config.dat" in the data folder. ERROR_SUCCESS also when there
// is no such file (nothing changes then); otherwise the reason it could not be read.
DWORD LoadSettings();

// Writes appSettings to "config.dat" in the data folder, with the bar's current position
// in place of the stored one. The old file is replaced only by a complete new one.
// ERROR_SUCCESS, or the reason the new one could not be made.
DWORD SaveSettings(POINT barTopLeft);

// Makes the per-user "Run" value that starts the program at log-on match enable.
void SetRunAtStartup(bool enable);

static_assert(sizeof(LOGFONTA) == sizeof(EditFont), "EditFont mirrors LOGFONTA");
static_assert(offsetof(LOGFONTA, lfItalic) == offsetof(EditFont, italic), "EditFont mirrors LOGFONTA");
static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(EditFont, faceName), "EditFont mirrors LOGFONTA");

inline LOGFONTA LogFontFromEditFont(const EditFont& font) {
  LOGFONTA logFont;
  std::memcpy(&logFont, &font, sizeof logFont);
  return logFont;
}

inline EditFont EditFontFromLogFont(const LOGFONTA& logFont) {
  EditFont font;
  std::memcpy(&font, &logFont, sizeof font);
  return font;
}
