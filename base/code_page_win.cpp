#include "base/code_page_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "base/utf8.h"

namespace {

// Both take texts that are not empty.
bool Widen(UINT codePage, DWORD flags, std::string_view text, std::wstring& wide) {
  const int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), NULL, 0);
  if (length == 0) return false;
  wide.resize(static_cast<size_t>(length));
  return MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], length) == length;
}

// usedDefault, when given, tells whether a character had no equivalent.
std::string Narrow(UINT codePage, DWORD flags, std::wstring_view wide, BOOL* usedDefault) {
  const int wideLength = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, NULL, 0, NULL, usedDefault);
  std::string narrow(static_cast<size_t>(length), '\0');
  if (length > 0) WideCharToMultiByte(codePage, flags, wide.data(), wideLength, &narrow[0], length, NULL, NULL);
  return narrow;
}

// ASCII is the same in UTF-8 and every ANSI code page; most texts are nothing else.
bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The code page the user's Windows gives programs that are not UTF-8 ones; GetACP()
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

void ConvertTextFromFile(std::string& text, size_t limit) {
  if (IsAscii(text) || !ProgramSpeaksUtf8() || IsValidUtf8(text)) return;
  const UINT legacy = LegacyCodePage();
  std::wstring wide;
  if (legacy == 0 || legacy == CP_UTF8 || !Widen(legacy, 0, text, wide)) return;
  std::string converted = Narrow(CP_UTF8, 0, wide, NULL);
  if (converted.size() <= limit) text = std::move(converted);
}

std::string WideToAnsi(std::wstring_view wide) {
  return Narrow(CP_ACP, 0, wide, NULL);
}

std::string AnsiToUtf8(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);
  std::wstring wide;
  Widen(CP_ACP, 0, ansi, wide);
  return Narrow(CP_UTF8, 0, wide, NULL);
}

size_t BytesBeforeCharacter(std::string_view text, size_t characters) {
  std::wstring wide;
  if (IsAscii(text) || !Widen(CP_ACP, 0, text, wide)) return std::min(characters, text.size());
  const int count = static_cast<int>(std::min(characters, wide.size()));
  return count == 0 ? 0 : static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), count, NULL, 0, NULL, NULL));
}

size_t CharactersBeforeByte(std::string_view text, size_t bytes) {
  const std::string_view before = text.substr(0, bytes);
  if (IsAscii(before)) return before.size();
  return static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, before.data(), static_cast<int>(before.size()), NULL, 0));
}

size_t TextCutLength(std::string_view text, size_t limit) {
  return ProgramSpeaksUtf8() ? Utf8CutLength(text, limit) : std::min(text.size(), limit);
}

bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) {
  if (IsAscii(utf8)) {
    ansi.assign(utf8);
    return true;
  }
  std::wstring wide;
  if (!Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, wide)) return false;
  // Where the ANSI code page is UTF-8 itself, the checked bytes are kept as they are.
  if (ProgramSpeaksUtf8()) {
    ansi.assign(utf8);
    return true;
  }
  BOOL usedDefault = FALSE;
  ansi = Narrow(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, &usedDefault);
  return !usedDefault;
}

std::string WideToUtf8(std::wstring_view wide) {
  return Narrow(CP_UTF8, 0, wide, NULL);
}

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring wide;
  if (!utf8.empty()) Widen(CP_UTF8, 0, utf8, wide);
  return wide;
}

std::wstring AnsiToWide(std::string_view ansi) {
  std::wstring wide;
  if (!ansi.empty()) Widen(CP_ACP, 0, ansi, wide);
  return wide;
}
