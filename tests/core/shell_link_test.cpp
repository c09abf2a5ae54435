// Shortcuts, Internet shortcuts and desktop.ini, read from hand-made bytes.
#include "catalog/shell_link.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "catalog/shell_ini.h"
#include "tests/core/hex_bytes.h"

namespace {

std::string AsHex(std::string_view text) {
  std::string hex;
  for (const char c : text) hex += "0123456789abcdef"[static_cast<uint8_t>(c) >> 4], hex += "0123456789abcdef"[c & 15];
  return hex;
}

std::string Zeros(size_t bytes) {
  return std::string(2 * bytes, '0');
}

// The 76-byte header with its link flags (as hex), icon index 3.
std::string Header(const std::string& flags) {
  return "4c000000 01140200 00000000 c0000000 00000046" + flags + "00000000" + Zeros(24) +
         "00000000 03000000 01000000 0000 0000 00000000 00000000";
}

// An ID list, to be skipped; link information with a volume and "C:\a.exe"; "-x" as UTF-16.
const std::string UNICODE_LINK =
    Header("a3200000") + "0400 11220000" + "36000000 1c000000 01000000 1c000000 2c000000 00000000 35000000" +
    "10000000 03000000 00000000 10000000" + AsHex("C:\\a.exe") + "00 00" + "0200 2d007800" + "00000000";
// ANSI arguments, a target with a variable, an installer's id.
const std::string ANSI_LINK = Header("20020000") + "0400 636166e9" + "14030000 010000a0" +
                              AsHex("%windir%\\notepad.exe") + Zeros(260 - 20 + 520) + "14030000 060000a0" +
                              Zeros(780) + "00000000";

std::string Latin1ToUtf8(std::string_view ansi) {
  std::string utf8;
  for (const char c : ansi) {
    const uint8_t b = static_cast<uint8_t>(c);
    if (b < 0x80)
      utf8 += c;
    else
      utf8 += static_cast<char>(0xC0 | b >> 6), utf8 += static_cast<char>(0x80 | (b & 0x3F));
  }
  return utf8;
}

}  // namespace

TEST(ShellLink, ReadsTargetArgumentsAndFlags) {
  const Bytes unicode = FromHex(UNICODE_LINK), ansi = FromHex(ANSI_LINK);
  const std::optional<ShellLink> a = ParseShellLink(unicode.data(), unicode.size());
  ASSERT_TRUE(a);
  EXPECT_EQ(a->target, "C:\\a.exe");
  EXPECT_EQ(a->arguments, "-x");
  EXPECT_EQ(a->iconIndex, 3);
  EXPECT_TRUE(a->runAsAdministrator);
  EXPECT_FALSE(a->advertised);
  const std::optional<ShellLink> b = ParseShellLink(ansi.data(), ansi.size(), Latin1ToUtf8);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->target, "%windir%\\notepad.exe");
  EXPECT_EQ(b->arguments, "caf\xC3\xA9");
  EXPECT_TRUE(b->advertised);
  EXPECT_FALSE(b->runAsAdministrator);
}

TEST(ShellLink, RefusesDamagedBytes) {
  std::string otherClass = UNICODE_LINK;
  otherClass[9] = '5';
  for (const std::string& hex : {UNICODE_LINK.substr(0, UNICODE_LINK.find("10000000 03")), otherClass,
                                 Header("20000000") + "ff00 6161", ANSI_LINK.substr(0, ANSI_LINK.size() - 20)}) {
    const Bytes bytes = FromHex(hex);
    EXPECT_FALSE(ParseShellLink(bytes.data(), bytes.size())) << hex;
  }
}

TEST(ShellIni, ReadsTheAddressAndTheLocalizedNames) {
  const std::string url =
      "[{000214A0-0000-0000-C000-000000000046}]\r\nURL=no\r\n[internetshortcut]\nIconIndex=0\n"
      " url = https://example.org/?a=b \n";
  EXPECT_EQ(ParseUrlShortcut(reinterpret_cast<const uint8_t*>(url.data()), url.size()), "https://example.org/?a=b");
  EXPECT_EQ(ParseUrlShortcut(reinterpret_cast<const uint8_t*>("URL=x"), 5), std::nullopt);

  const std::string ini =
      "[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-1\r\n[LocalizedFileNames]\r\n"
      "Firefox.lnk=@%SystemRoot%\\system32\\shell32.dll,-22563\r\n; a comment\r\nRechner.lnk=Caf\xE9\r\n";
  Bytes utf16 = {0xFF, 0xFE};  // Latin-1 is the first 256 code points
  for (const char c : ini) utf16.push_back(static_cast<uint8_t>(c)), utf16.push_back(0);
  for (const auto& [name, bytes, convert] : {std::tuple<const char*, Bytes, LegacyTextConverter>{"UTF-16", utf16, nullptr},
                                             {"ANSI", Bytes(ini.begin(), ini.end()), Latin1ToUtf8}}) {
    const std::vector<LocalizedName> names = ParseLocalizedFileNames(bytes.data(), bytes.size(), convert);
    ASSERT_EQ(names.size(), 2u) << name;
    EXPECT_EQ(names[0].fileName, "Firefox.lnk") << name;
    EXPECT_EQ(names[0].name, "@%SystemRoot%\\system32\\shell32.dll,-22563") << name;
    EXPECT_EQ(names[1].name, "Caf\xC3\xA9") << name;
  }
}
