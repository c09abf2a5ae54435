#include "settings/settings_codec.h"

#include <cstring>

namespace {

// The font's fields in file order, which is LOGFONTA's.
template <typename Codec, typename Font>
void VisitFontFields(Codec& codec, Font& font) {
  codec.Int32(font.height);
  codec.Int32(font.width);
  codec.Int32(font.escapement);
  codec.Int32(font.orientation);
  codec.Int32(font.weight);
  codec.Byte(font.italic);
  codec.Byte(font.underline);
  codec.Byte(font.strikeOut);
  codec.Byte(font.charSet);
  codec.Byte(font.outPrecision);
  codec.Byte(font.clipPrecision);
  codec.Byte(font.quality);
  codec.Byte(font.pitchAndFamily);
  codec.Text(font.faceName);
}

// The file's fields in order; one list serves both the reader and the writer.
template <typename Codec, typename Settings>
void VisitFields(Codec& codec, Settings& settings) {
  codec.Int32(settings.windowLeft);
  codec.Int32(settings.windowTop);
  codec.Int32(settings.snapStrength);
  codec.Int32(settings.translucencyActive);
  codec.Int32(settings.translucencyInactive);
  codec.Bool(settings.runAtStartup);
  codec.Bool(settings.saveLastPosition);
  codec.Bool(settings.minimizeAlways);
  codec.Text(settings.skinPath);
  codec.Uint32(settings.fontColor);
  codec.Font(settings.editFont);
  codec.Uint32(settings.backColor);
  codec.Bool(settings.minimizedToTray);
  codec.Bool(settings.defaultSearchEnabled);
  // The first layout ends here, after 157 bytes.
  codec.Byte(settings.hotKeyModifiers);
  codec.Byte(settings.hotKeyVirtualKey);
  codec.Bool(settings.rememberTypedLines);
  codec.Bool(settings.findPrograms);
  codec.Bool(settings.askBeforeSessionEnd);
}

struct Writer {
  uint8_t* out;
  size_t offset;

  void Uint32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out[offset++] = static_cast<uint8_t>(value >> shift);
  }
  void Int32(int32_t value) { Uint32(static_cast<uint32_t>(value)); }
  void Byte(uint8_t value) { out[offset++] = value; }
  void Bool(bool value) { Byte(value ? 1 : 0); }
  // The whole field, whatever follows the text's terminator.
  template <size_t N>
  void Text(const char (&text)[N]) {
    std::memcpy(out + offset, text, N);
    offset += N;
  }
  void Font(const EditFont& font) { VisitFontFields(*this, font); }
};

// Takes a field only when all of its bytes are there; otherwise its target keeps the
// value it had.
struct Reader {
  const uint8_t* data;
  size_t size;
  size_t offset;

  const uint8_t* Take(size_t count) {
    const uint8_t* field = offset + count <= size ? data + offset : nullptr;
    offset += count;
    return field;
  }
  void Uint32(uint32_t& target) {
    if (const uint8_t* b = Take(4)) target = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  }
  void Int32(int32_t& target) {
    uint32_t value = static_cast<uint32_t>(target);
    Uint32(value);
    target = static_cast<int32_t>(value);
  }
  void Byte(uint8_t& target) {
    if (const uint8_t* b = Take(1)) target = *b;
  }
  void Bool(bool& target) {
    if (const uint8_t* b = Take(1)) target = *b != 0;
  }
  // A text without a terminator counts as its first N - 1 characters.
  template <size_t N>
  void Text(char (&target)[N]) {
    if (const uint8_t* b = Take(N)) {
      std::memcpy(target, b, N);
      target[N - 1] = '\0';
    }
  }
  // The font is one field: a file that ends inside it leaves the whole font as it was.
  void Font(EditFont& font) {
    if (const uint8_t* image = Take(sizeof(EditFont))) {
      Reader field = {image, sizeof(EditFont), 0};
      VisitFontFields(field, font);
    }
  }
};

}  // namespace

void EncodeSettings(const AppSettings& settings, uint8_t (&file)[SETTINGS_FILE_SIZE]) {
  Writer writer = {file, 0};
  VisitFields(writer, settings);
}

void DecodeSettings(const uint8_t* data, size_t size, AppSettings& settings) {
  Reader reader = {data, size, 0};
  VisitFields(reader, settings);
}
