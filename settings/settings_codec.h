#pragma once
#include <cstddef>
#include <cstdint>

#include "settings/app_settings.h"

// "config.dat": the settings' fields one after another, little-endian, without padding
// (so skinPath leaves fontColor unaligned at offset 87) and without header or checksum.
// The first layout ends with defaultSearchEnabled at 156; the hot key (modifiers at 157,
// virtual key at 158), rememberTypedLines (159), findPrograms (160) and askBeforeSessionEnd
// (161) follow it, so that a copy of the program that knows only the first bytes still
// reads the file, and a shorter file gives the defaults for what follows.
constexpr size_t SETTINGS_FILE_SIZE = 162;

void EncodeSettings(const AppSettings& settings, uint8_t (&file)[SETTINGS_FILE_SIZE]);

// Takes every field that lies wholly inside the data; a field that the end cuts short, and
// every field after it, keeps its value in settings. Bytes past the last field are ignored.
void DecodeSettings(const uint8_t* data, size_t size, AppSettings& settings);
