#include "base/legacy_text_win.h"

#include <windows.h>

#include <cstdlib>

#include "base/utf8.h"

namespace {

// The code page the user's Windows uses for programs that are not UTF-8 ones; GetACP()
// names ours.
UINT LegacyCodePage() {
  char number[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, number, sizeof number);
  return static_cast<UINT>(std::strtoul(number, NULL, 10));
}

}  // namespace

bool ProgramSpeaksUtf8() {
  return GetACP() == CP_UTF8;
}

std::string TextFromFile(const std::string& stored, size_t limit) {
  if (!ProgramSpeaksUtf8() || IsValidUtf8(stored)) return stored;
  const UINT legacy = LegacyCodePage();
  if (legacy == 0 || legacy == CP_UTF8) return stored;
  const int wideLength = MultiByteToWideChar(legacy, 0, stored.data(), static_cast<int>(stored.size()), NULL, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(legacy, 0, stored.data(), static_cast<int>(stored.size()), &wide[0], wideLength);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, NULL, 0, NULL, NULL);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &text[0], length, NULL, NULL);
  return text.size() <= limit ? text : stored;
}
