#pragma once
#include <windows.h>

#include <cstddef>
#include <cstring>

#include "base/app_state_win.h"
#include "base/bar_layout.h"
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

// The settings keep the command box's font at 96 dpi, as every earlier version wrote it;
// the system takes and gives it at the scale of a monitor.
inline LOGFONTA LogFontFromEditFont(const EditFont& font, UINT dpi) {
  LOGFONTA logFont;
  std::memcpy(&logFont, &font, sizeof logFont);
  logFont.lfHeight = ScaleToDpi(font.height, dpi);
  logFont.lfWidth = ScaleToDpi(font.width, dpi);
  return logFont;
}

inline EditFont EditFontFromLogFont(const LOGFONTA& logFont, UINT dpi) {
  EditFont font;
  std::memcpy(&font, &logFont, sizeof font);
  font.height = ScaleBetweenDpis(logFont.lfHeight, dpi, BASE_DPI);
  font.width = ScaleBetweenDpis(logFont.lfWidth, dpi, BASE_DPI);
  return font;
}
