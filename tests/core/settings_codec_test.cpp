#include "settings/settings_codec.h"

#include <gtest/gtest.h>

#include "tests/core/hex_bytes.h"

namespace {

Bytes Encode(const AppSettings& settings) {
  uint8_t bytes[SETTINGS_FILE_SIZE];
  EncodeSettings(settings, bytes);
  return Bytes(bytes, bytes + sizeof bytes);
}

// The file that the default settings make.
const Bytes DEFAULT_FILE = FromHex(
    "00000000 00000000 19000000 55000000 1c000000 01 01 00"
    "736b5f64656661756c742e626d70"  // "sk_default.bmp", then zeros to 64 bytes
    "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
    "33333300"  // fontColor, unaligned at 87
    "f4ffffff 00000000 00000000 00000000 bc020000 0000000000000000"
    "617269616c"  // "arial", then zeros to 32 bytes
    "000000000000000000000000000000000000000000000000000000"
    "ffffff00 00 01"
    "03 4b 01 01 00");  // after the first layout's 157 bytes: Ctrl+Alt+K, typed lines remembered, programs
                        // found, no question before the session ends

}  // namespace

TEST(SettingsCodec, DefaultsEncodeToTheKnownFile) {
  EXPECT_EQ(Encode(DEFAULT_SETTINGS), DEFAULT_FILE);
}

TEST(SettingsCodec, TakesTheFieldsThatLieWhollyInTheData) {
  // The size of the data and the end of the fields read whole (the others keep their values).
  // Cut inside the left position, after saveLastPosition, inside the skin path, the font
  // colour and the font, before the first layout's last flag; the first layout whole, as
  // an older copy writes it (and reads a newer file); after the hot key; as the version
  // before writes it; whole, with 300 bytes too many.
  const std::pair<size_t, size_t> cases[] = {{2, 0},     {22, 22},   {60, 23},   {89, 87},   {120, 91},
                                             {156, 156}, {157, 157}, {159, 159}, {160, 160}, {462, 162}};
  // Every byte of the default file changed, so that every field differs: the texts lose
  // their terminators and two flags hold bytes other than 1.
  Bytes changed = DEFAULT_FILE;
  for (uint8_t& byte : changed) byte ^= 1;
  changed[22] = 0x80;  // minimizeAlways
  changed[155] = 2;    // minimizedToTray
  // What is read back: the texts cut to fit their terminators, the flags on.
  Bytes read = changed;
  read[86] = read[150] = 0;
  read[22] = read[155] = 1;
  for (const auto& [size, taken] : cases) {
    Bytes data = changed;
    data.resize(size, 0xAB);
    AppSettings settings = DEFAULT_SETTINGS;
    DecodeSettings(data.data(), data.size(), settings);
    Bytes expected(read.begin(), read.begin() + taken);
    expected.insert(expected.end(), DEFAULT_FILE.begin() + taken, DEFAULT_FILE.end());
    EXPECT_EQ(Encode(settings), expected) << size << " bytes";
  }
}
