#include "settings/settings_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/core/hex_bytes.h"

namespace {

using File = Bytes;

File Encode(const AppSettings& settings) {
  uint8_t bytes[SETTINGS_FILE_SIZE];
  EncodeSettings(settings, bytes);
  return File(bytes, bytes + sizeof bytes);
}

AppSettings Decode(const File& file, const AppSettings& start = DEFAULT_SETTINGS) {
  AppSettings settings = start;
  DecodeSettings(file.data(), file.size(), settings);
  return settings;
}

// Every field differs from its default, so a field the reader skips shows.
AppSettings Unusual() {
  AppSettings s = DEFAULT_SETTINGS;
  s.windowLeft = -1700;
  s.windowTop = 0x01020304;
  s.snapStrength = 128;
  s.translucencyActive = 100;
  s.translucencyInactive = 0;
  s.runAtStartup = false;
  s.saveLastPosition = false;
  s.minimizeAlways = true;
  std::strcpy(s.skinPath, "C:\\Skins\\night.bmp");
  s.fontColor = 0x00112233;
  s.editFont = {-16, 7, 1, 2, 400, 1, 1, 1, 204, 3, 2, 5, 34, "Consolas"};
  s.backColor = 0x00445566;
  s.minimizedToTray = true;
  s.defaultSearchEnabled = false;
  return s;
}

// Where each field ends in the file, in file order.
const size_t FIELD_ENDS[] = {4, 8, 12, 16, 20, 21, 22, 23, 87, 91, 151, 155, 156, 157};

}  // namespace

TEST(SettingsCodec, DefaultsEncodeToTheKnownFile) {
  const File expected = FromHex(
      "00000000 00000000 19000000 55000000 1c000000 01 01 00"
      "736b5f64656661756c742e626d70"  // "sk_default.bmp", then zeros to 64 bytes
      "00000000000000000000000000000000000000000000000000"
      "00000000000000000000000000000000000000000000000000"
      "33333300"  // fontColor at 87
      "f4ffffff 00000000 00000000 00000000 bc020000 0000000000000000"
      "617269616c"  // "arial", then zeros to 32 bytes
      "000000000000000000000000000000000000000000000000000000"
      "ffffff00 00 01");
  ASSERT_EQ(expected.size(), SETTINGS_FILE_SIZE);
  EXPECT_EQ(Encode(DEFAULT_SETTINGS), expected);
}

TEST(SettingsCodec, RoundTripKeepsEveryField) {
  const AppSettings original = Unusual();
  const File file = Encode(original);
  const AppSettings loaded = Decode(file);
  EXPECT_EQ(Encode(loaded), file);
  EXPECT_EQ(loaded.windowLeft, -1700);
  EXPECT_STREQ(loaded.skinPath, "C:\\Skins\\night.bmp");
  EXPECT_STREQ(loaded.editFont.faceName, "Consolas");
  EXPECT_EQ(loaded.editFont.charSet, 204);
  EXPECT_EQ(file[87], 0x33);  // fontColor's red byte, right after the unaligned path
}

TEST(SettingsCodec, ShortFileTakesOnlyTheWholeFields) {
  const File full = Encode(Unusual());
  const File defaults = Encode(DEFAULT_SETTINGS);
  struct Case {
    const char* name;
    size_t size;
  };
  const Case cases[] = {
      {"empty", 0},
      {"half the left position", 2},
      {"position only", 8},
      {"22 bytes: up to saveLastPosition", 22},
      {"skin path cut in two", 60},
      {"up to the skin path", 87},
      {"font colour cut in two", 89},
      {"font cut in two", 120},
      {"all but the search flag", 156},
  };
  for (const Case& c : cases) {
    const File got = Encode(Decode(File(full.begin(), full.begin() + c.size)));
    size_t start = 0;
    for (size_t end : FIELD_ENDS) {
      const File& expected = end <= c.size ? full : defaults;
      EXPECT_TRUE(std::equal(got.begin() + start, got.begin() + end, expected.begin() + start))
          << c.name << ": field at " << start;
      start = end;
    }
  }
}

TEST(SettingsCodec, BytesAfterTheLastFieldAreIgnored) {
  File longer = Encode(Unusual());
  longer.insert(longer.end(), 300, 0xAB);
  EXPECT_EQ(Encode(Decode(longer)), Encode(Unusual()));
}

TEST(SettingsCodec, SkinPathWithoutTerminatorIsCutTo63Characters) {
  File file = Encode(DEFAULT_SETTINGS);
  std::memset(&file[23], 'a', 64);
  const AppSettings loaded = Decode(file);
  EXPECT_EQ(std::string(loaded.skinPath), std::string(63, 'a'));
}

TEST(SettingsCodec, SixtyThreeCharacterSkinPathRoundTrips) {
  AppSettings settings = DEFAULT_SETTINGS;
  const std::string path = "C:\\" + std::string(56, 'p') + ".bmp";
  ASSERT_EQ(path.size(), 63u);
  std::strcpy(settings.skinPath, path.c_str());
  EXPECT_EQ(std::string(Decode(Encode(settings)).skinPath), path);
}

TEST(SettingsCodec, FaceNameWithoutTerminatorIsCutTo31Characters) {
  File file = Encode(DEFAULT_SETTINGS);
  std::memset(&file[91 + 28], 'F', 32);
  EXPECT_EQ(std::string(Decode(file).editFont.faceName), std::string(31, 'F'));
}

TEST(SettingsCodec, AnyNonZeroByteIsOnAndIsWrittenBackAsOne) {
  File file = Encode(DEFAULT_SETTINGS);
  file[22] = 0x80;   // minimizeAlways
  file[155] = 0x02;  // minimizedToTray
  const File written = Encode(Decode(file));
  EXPECT_EQ(written[22], 1);
  EXPECT_EQ(written[155], 1);
}
