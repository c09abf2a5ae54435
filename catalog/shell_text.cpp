#include "catalog/shell_text.h"

#include <algorithm>

namespace {

void AppendUtf8(uint32_t codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
    return;
  }
  if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | codePoint >> 6);
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | codePoint >> 12);
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | codePoint >> 18);
    out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
  }
  out += static_cast<char>(0x80 | (codePoint & 0x3F));
}

}  // namespace

std::string AnsiText(std::string_view ansi, LegacyTextConverter convert) {
  const bool ascii = std::all_of(ansi.begin(), ansi.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
  return ascii || !convert ? std::string(ansi) : convert(ansi);
}

std::string Utf16LeText(const uint8_t* bytes, size_t units) {
  std::string text;
  const auto unit = [&](size_t i) { return static_cast<uint32_t>(bytes[2 * i] | bytes[2 * i + 1] << 8); };
  for (size_t i = 0; i < units && unit(i) != 0; ++i) {
    uint32_t codePoint = unit(i);
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
      const bool paired = codePoint < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF;
      codePoint = paired ? 0x10000 + ((codePoint - 0xD800) << 10) + (unit(++i) - 0xDC00) : 0xFFFD;
    }
    AppendUtf8(codePoint, text);
  }
  return text;
}
