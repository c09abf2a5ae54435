#include "catalog/shell_link.h"

#include <cstring>
#include <string_view>

namespace {

constexpr uint32_t HEADER_SIZE = 0x4C;
const uint8_t LINK_CLSID[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// LinkFlags of the header.
constexpr uint32_t HAS_LINK_TARGET_ID_LIST = 0x1;
constexpr uint32_t HAS_LINK_INFO = 0x2;
constexpr uint32_t IS_UNICODE = 0x80;
constexpr uint32_t FORCE_NO_LINK_INFO = 0x100;
constexpr uint32_t HAS_EXP_STRING = 0x200;
constexpr uint32_t RUN_AS_USER = 0x2000;
constexpr uint32_t HAS_EXP_ICON = 0x4000;
// The texts that follow, in the order of their flags: 0x4 name, 0x8 relative path, 0x10
// working dir, 0x20 arguments, 0x40 icon location.
constexpr uint32_t FIRST_STRING_FLAG = 0x4;
constexpr int STRING_COUNT = 5;

// LinkInfoFlags.
constexpr uint32_t VOLUME_ID_AND_LOCAL_BASE_PATH = 0x1;
constexpr uint32_t COMMON_NETWORK_RELATIVE_LINK = 0x2;

// Extra data blocks: a target, the installer's id, an icon, each 260 ANSI characters and
// 260 UTF-16 units after the block's size and signature.
constexpr uint32_t ENVIRONMENT_BLOCK = 0xA0000001;
constexpr uint32_t DARWIN_BLOCK = 0xA0000006;
constexpr uint32_t ICON_ENVIRONMENT_BLOCK = 0xA0000007;
constexpr uint32_t PATH_BLOCK_SIZE = 0x314;
constexpr size_t PATH_CHARS = 260;

// Bounds-checked little-endian reads over one span of the file.
struct Span {
  const uint8_t* data;
  size_t size;

  bool Has(size_t at, size_t bytes) const { return at <= size && size - at >= bytes; }
  uint32_t U16(size_t at) const { return static_cast<uint32_t>(data[at] | data[at + 1] << 8); }
  uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  // A NUL-ended ANSI or UTF-16 text at `at`, the NUL inside the span; false if none is.
  bool AnsiAt(size_t at, std::string& text, LegacyTextConverter convert) const {
    if (at >= size) return false;
    const void* nul = std::memchr(data + at, 0, size - at);
    if (!nul) return false;
    const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(nul) - (data + at));
    text = AnsiText({reinterpret_cast<const char*>(data + at), length}, convert);
    return true;
  }
  bool UnicodeAt(size_t at, std::string& text) const {
    for (size_t end = at; Has(end, 2); end += 2)
      if (U16(end) == 0) {
        text = Utf16LeText(data + at, (end - at) / 2);
        return true;
      }
    return false;
  }
};

// The target as the link information gives it: a local path, or a share's name, each with
// the common suffix.
bool ReadLinkInfo(const Span& info, std::string& target, LegacyTextConverter convert) {
  if (!info.Has(0, 0x1C)) return false;
  const uint32_t flags = info.U32(8);
  if (!(flags & (VOLUME_ID_AND_LOCAL_BASE_PATH | COMMON_NETWORK_RELATIVE_LINK))) return true;
  // Headers of 0x24 bytes and more add UTF-16 copies of the base path and the suffix.
  const bool unicode = info.U32(4) >= 0x24 && info.Has(0, 0x24);
  std::string base, suffix;
  const bool suffixRead =
      unicode && info.U32(0x20) ? info.UnicodeAt(info.U32(0x20), suffix) : info.AnsiAt(info.U32(0x18), suffix, convert);
  if (!suffixRead) return false;
  if (flags & VOLUME_ID_AND_LOCAL_BASE_PATH) {
    const bool read =
        unicode && info.U32(0x1C) ? info.UnicodeAt(info.U32(0x1C), base) : info.AnsiAt(info.U32(0x10), base, convert);
    if (!read) return false;
    target = base + suffix;
    return true;
  }
  const size_t at = info.U32(0x14);
  if (!info.Has(at, 0x14)) return false;
  const Span link = {info.data + at, info.size - at};
  const uint32_t netNameAt = link.U32(8);
  const bool read = netNameAt > 0x14 && link.Has(0x14, 4) && link.U32(0x14) ? link.UnicodeAt(link.U32(0x14), base)
                                                                            : link.AnsiAt(netNameAt, base, convert);
  if (!read) return false;
  target = suffix.empty() ? base : base + "\\" + suffix;
  return true;
}

// A block of 260 ANSI characters and 260 UTF-16 units: the UTF-16 text where it has one.
std::string PathBlockText(const Span& block, LegacyTextConverter convert) {
  std::string text = Utf16LeText(block.data + 8 + PATH_CHARS, PATH_CHARS);
  if (!text.empty()) return text;
  const uint8_t* ansi = block.data + 8;
  const void* nul = std::memchr(ansi, 0, PATH_CHARS);
  const size_t length = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - ansi) : PATH_CHARS;
  return AnsiText({reinterpret_cast<const char*>(ansi), length}, convert);
}

}  // namespace

std::optional<ShellLink> ParseShellLink(const uint8_t* data, size_t size, LegacyTextConverter convertLegacy) {
  const Span file = {data, size};
  if (size > MAX_SHELL_LINK_SIZE || !file.Has(0, HEADER_SIZE) || file.U32(0) != HEADER_SIZE ||
      std::memcmp(data + 4, LINK_CLSID, sizeof LINK_CLSID) != 0)
    return std::nullopt;
  ShellLink link;
  const uint32_t flags = file.U32(0x14);
  link.iconIndex = static_cast<int32_t>(file.U32(0x38));
  link.runAsAdministrator = (flags & RUN_AS_USER) != 0;
  size_t at = HEADER_SIZE;

  if (flags & HAS_LINK_TARGET_ID_LIST) {
    if (!file.Has(at, 2)) return std::nullopt;
    at += 2 + file.U16(at);
  }
  if (flags & HAS_LINK_INFO) {
    if (!file.Has(at, 4)) return std::nullopt;
    const uint32_t infoSize = file.U32(at);
    if (!file.Has(at, infoSize)) return std::nullopt;
    if (!(flags & FORCE_NO_LINK_INFO) && !ReadLinkInfo({data + at, infoSize}, link.target, convertLegacy))
      return std::nullopt;
    at += infoSize;
  }

  // The name (a description) is passed over.
  std::string* const strings[STRING_COUNT] = {nullptr, &link.relativePath, &link.workingDir, &link.arguments,
                                              &link.iconLocation};
  const size_t unitSize = flags & IS_UNICODE ? 2 : 1;
  for (int i = 0; i < STRING_COUNT; ++i) {
    if (!(flags & FIRST_STRING_FLAG << i)) continue;
    if (!file.Has(at, 2)) return std::nullopt;
    const size_t count = file.U16(at);
    at += 2;
    if (!file.Has(at, count * unitSize)) return std::nullopt;
    if (strings[i])
      *strings[i] = unitSize == 2 ? Utf16LeText(data + at, count)
                                  : AnsiText({reinterpret_cast<const char*>(data + at), count}, convertLegacy);
    at += count * unitSize;
  }

  // Extra data to the terminal block (a size under 4), or to the end where it is missing.
  while (file.Has(at, 4) && file.U32(at) >= 4) {
    const uint32_t blockSize = file.U32(at);
    if (!file.Has(at, blockSize) || blockSize < 8) return std::nullopt;
    const Span block = {data + at, blockSize};
    const uint32_t signature = block.U32(4);
    const bool pathBlock = blockSize == PATH_BLOCK_SIZE;
    if (signature == ENVIRONMENT_BLOCK && pathBlock && (flags & HAS_EXP_STRING)) {
      const std::string target = PathBlockText(block, convertLegacy);
      if (!target.empty()) link.target = target;
    } else if (signature == ICON_ENVIRONMENT_BLOCK && pathBlock && (flags & HAS_EXP_ICON)) {
      const std::string icon = PathBlockText(block, convertLegacy);
      if (!icon.empty()) link.iconLocation = icon;
    } else if (signature == DARWIN_BLOCK) {
      link.advertised = true;
    }
    at += blockSize;
  }
  return link;
}
