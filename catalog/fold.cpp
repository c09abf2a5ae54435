#include "catalog/fold.h"

#include <cstdint>

#include "catalog/fold_table.h"

namespace {

// The code point of the well-formed sequence at text[at] and its length, or length 0.
struct Decoded {
  uint32_t codePoint;
  size_t length;
};

Decoded Decode(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[at + i]); };
  const uint8_t lead = byte(0);
  size_t length;
  uint32_t codePoint;
  uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {0, 0};
  }
  if (text.size() - at < length || byte(1) < low || byte(1) > high) return {0, 0};
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    codePoint = codePoint << 6 | (byte(i) & 0x3F);
  }
  return {codePoint, length};
}

void AppendUtf8(uint32_t codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | codePoint >> 6);
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | codePoint >> 12);
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

const FoldBlock* FindBlock(uint32_t codePoint) {
  size_t low = 0, high = FOLD_BLOCK_COUNT;
  while (low < high) {
    const size_t middle = (low + high) / 2;
    if (codePoint > FOLD_BLOCKS[middle].last) {
      low = middle + 1;
    } else if (codePoint < FOLD_BLOCKS[middle].first) {
      high = middle;
    } else {
      return &FOLD_BLOCKS[middle];
    }
  }
  return nullptr;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

size_t FoldCharacter(std::string_view text, size_t at, std::string& out) {
  const char c = text[at];
  if (static_cast<uint8_t>(c) < 0x80) {
    out += c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    return 1;
  }
  const Decoded decoded = Decode(text, at);
  const FoldBlock* block = decoded.length ? FindBlock(decoded.codePoint) : nullptr;
  const uint8_t entry = !block                      ? FOLD_UNCHANGED
                        : block->at == FOLD_DROPPED ? FOLD_EXPANSION  // the empty expansion
                                                    : FOLD_ENTRIES[block->at + (decoded.codePoint - block->first)];
  const size_t taken = decoded.length ? decoded.length : 1;
  if (entry == FOLD_UNCHANGED) {
    out.append(text.substr(at, taken));
  } else if (entry >= FOLD_EXPANSION) {
    out += FOLD_EXPANSIONS[entry - FOLD_EXPANSION];
  } else {
    AppendUtf8(block->base + entry, out);
  }
  return taken;
}

std::string FoldForMatching(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) at += FoldCharacter(utf8, at, folded);
  return folded;
}

std::string FoldTypedText(std::string_view typed) {
  const std::string folded = FoldForMatching(typed);
  std::string line;
  line.reserve(folded.size());
  for (size_t at = 0; at < folded.size(); ++at) {
    if (!IsBlank(folded[at])) {
      line += folded[at];
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
