// Feeds arbitrary bytes to the settings reader as "config.dat": it must never read past
// the data or a field, must leave both text fields terminated, and what it reads must
// survive a save and a second load unchanged.
#include <cstring>

#include "settings/settings_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AppSettings loaded = DEFAULT_SETTINGS;
  DecodeSettings(data, size, loaded);
  if (!std::memchr(loaded.skinPath, '\0', sizeof loaded.skinPath)) __builtin_trap();
  if (!std::memchr(loaded.editFont.faceName, '\0', sizeof loaded.editFont.faceName)) __builtin_trap();

  uint8_t saved[SETTINGS_FILE_SIZE];
  EncodeSettings(loaded, saved);
  AppSettings reloaded = DEFAULT_SETTINGS;
  DecodeSettings(saved, sizeof saved, reloaded);
  uint8_t savedAgain[SETTINGS_FILE_SIZE];
  EncodeSettings(reloaded, savedAgain);
  if (std::memcmp(saved, savedAgain, sizeof saved) != 0) __builtin_trap();
  return 0;
}
