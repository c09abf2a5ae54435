#include "settings/settings_codec.h"

#include <cstring>
#include <initializer_list>

namespace {

struct Writer {
  uint8_t* out;
  size_t offset;

  void Bytes(const void* source, size_t count) {
    std::memcpy(out + offset, source, count);
    offset += count;
  }
  void Uint32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out[offset++] = static_cast<uint8_t>(value >> shift);
  }
  void Int32(int32_t value) { Uint32(static_cast<uint32_t>(value)); }
  void Byte(uint8_t value) { out[offset++] = value; }
  void Bool(bool value) { Byte(value ? 1 : 0); }
};

// Reads fields in order; a field is taken only when all of its bytes are there, otherwise
// its target keeps the value it had.
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
  // A text field without a terminator counts as its first count - 1 characters.
  void Text(char* target, size_t count) {
    if (const uint8_t* b = Take(count)) {
      std::memcpy(target, b, count);
      target[count - 1] = '\0';
    }
  }
};

void EncodeFont(Writer& writer, const EditFont& font) {
  for (int32_t value : {font.height, font.width, font.escapement, font.orientation, font.weight}) writer.Int32(value);
  for (uint8_t value : {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
                        font.clipPrecision, font.quality, font.pitchAndFamily})
    writer.Byte(value);
  writer.Bytes(font.faceName, sizeof font.faceName);
}

// The font is one field: a file that ends inside it leaves the whole font as it was.
void DecodeFont(Reader& reader, EditFont& font) {
  const uint8_t* image = reader.Take(sizeof(EditFont));
  if (!image) return;
  Reader field = {image, sizeof(EditFont), 0};
  for (int32_t* value : {&font.height, &font.width, &font.escapement, &font.orientation, &font.weight})
    field.Int32(*value);
  for (uint8_t* value : {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
                         &font.clipPrecision, &font.quality, &font.pitchAndFamily})
    field.Byte(*value);
  field.Text(font.faceName, sizeof font.faceName);
}

}  // namespace

void EncodeSettings(const AppSettings& settings, uint8_t (&file)[SETTINGS_FILE_SIZE]) {
  Writer writer = {file, 0};
  writer.Int32(settings.windowLeft);
  writer.Int32(settings.windowTop);
  writer.Int32(settings.snapStrength);
  writer.Int32(settings.translucencyActive);
  writer.Int32(settings.translucencyInactive);
  writer.Bool(settings.runAtStartup);
  writer.Bool(settings.saveLastPosition);
  writer.Bool(settings.minimizeAlways);
  writer.Bytes(settings.skinPath, sizeof settings.skinPath);
  writer.Uint32(settings.fontColor);
  EncodeFont(writer, settings.editFont);
  writer.Uint32(settings.backColor);
  writer.Bool(settings.minimizedToTray);
  writer.Bool(settings.defaultSearchEnabled);
}

void DecodeSettings(const uint8_t* data, size_t size, AppSettings& settings) {
  Reader reader = {data, size, 0};
  reader.Int32(settings.windowLeft);
  reader.Int32(settings.windowTop);
  reader.Int32(settings.snapStrength);
  reader.Int32(settings.translucencyActive);
  reader.Int32(settings.translucencyInactive);
  reader.Bool(settings.runAtStartup);
  reader.Bool(settings.saveLastPosition);
  reader.Bool(settings.minimizeAlways);
  reader.Text(settings.skinPath, sizeof settings.skinPath);
  reader.Uint32(settings.fontColor);
  DecodeFont(reader, settings.editFont);
  reader.Uint32(settings.backColor);
  reader.Bool(settings.minimizedToTray);
  reader.Bool(settings.defaultSearchEnabled);
}
