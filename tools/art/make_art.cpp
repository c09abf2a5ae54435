// make_art: draws Pellomar's built-in artwork from code, so that the binary
// files in resources/ can always be rebuilt and reviewed as text.
//
//   make_art <output folder>
//
// writes <output folder>/sk_default.bmp (the default 260 x 32 skin) and
// <output folder>/pellomar.ico (the 32 x 32 and 16 x 16 application icon).
// Every multi-byte field is written byte by byte in little-endian order and
// nothing depends on the clock or on randomness, so the output is identical
// on every platform and every run.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/bar_geometry.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put8(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}
void put16(Bytes& out, unsigned v) {
  put8(out, v);
  put8(out, v >> 8);
}
void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

bool writeFile(const std::string& path, const Bytes& data) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "make_art: cannot create %s\n", path.c_str());
    return false;
  }
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return (std::fclose(f) == 0) && ok;
}

// The header every DIB here starts with (BITMAPINFOHEADER, 40 bytes).
void putInfoHeader(Bytes& out, int width, int height, unsigned bitCount, std::uint32_t imageSize) {
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));
  put16(out, 1);  // planes
  put16(out, bitCount);
  put32(out, 0);  // BI_RGB: no compression
  put32(out, imageSize);
  put32(out, 2835);  // 72 dpi, only informative
  put32(out, 2835);
  put32(out, 0);  // colours used: all that the bit count allows
  put32(out, 0);  // colours important: all
}

// ---------------------------------------------------------------- the skin

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr int kSkinW = MAIN_WINDOW_WIDTH;
constexpr int kSkinH = MAIN_WINDOW_HEIGHT;

// Where the window puts its text box (inclusive). The skin is hidden there.
constexpr int kBoxLeft = COMMAND_BOX_LEFT, kBoxTop = COMMAND_BOX_TOP;
constexpr int kBoxRight = COMMAND_BOX_LEFT + COMMAND_BOX_WIDTH - 1;
constexpr int kBoxBottom = COMMAND_BOX_TOP + COMMAND_BOX_HEIGHT - 1;

// Charcoal slate, a little bluish, so white text in the box stands out
// without the bar itself shouting.
constexpr Rgb kTop{58, 64, 73};     // gradient, first row inside the border
constexpr Rgb kBottom{35, 39, 45};  // gradient, last row inside the border
constexpr Rgb kBorder{18, 20, 24};
constexpr Rgb kHighlight{86, 94, 105};  // catches the light along the top edge
constexpr Rgb kShade{24, 27, 32};       // recess around the text box, top/left
constexpr Rgb kLift{70, 77, 87};        // recess around the text box, bottom/right
constexpr Rgb kInk{122, 131, 143};      // wordmark: readable only when looked for
constexpr Rgb kAccent{86, 156, 230};    // the one colourful touch: a little caret

class Canvas {
 public:
  Canvas() : px_(kSkinW * kSkinH, Rgb{0, 0, 0}) {}
  void set(int x, int y, Rgb c) {
    if (x >= 0 && x < kSkinW && y >= 0 && y < kSkinH) px_[index(x, y)] = c;
  }
  Rgb get(int x, int y) const { return px_[index(x, y)]; }

 private:
  static std::size_t index(int x, int y) { return static_cast<std::size_t>(y * kSkinW + x); }
  std::vector<Rgb> px_;
};

std::uint8_t mix(std::uint8_t a, std::uint8_t b, int num, int den) {
  // Rounded integer blend: no floating point, so no platform differences.
  return static_cast<std::uint8_t>((a * (den - num) + b * num + den / 2) / den);
}

Rgb mix(Rgb a, Rgb b, int num, int den) {
  return Rgb{mix(a.r, b.r, num, den), mix(a.g, b.g, num, den), mix(a.b, b.b, num, den)};
}

// A tiny hand-drawn lowercase face. Row 0 is the ascender, rows 1..5 the
// x-height, row 6 the descender. Only the letters of our name are needed.
constexpr int kGlyphRows = 7;

struct Glyph {
  char ch;
  const char* rows[kGlyphRows];
};

const Glyph kFont[] = {
    {'p', {"...", "##.", "#.#", "#.#", "##.", "#..", "#.."}},
    {'e', {"...", ".#.", "#.#", "###", "#..", ".##", "..."}},
    {'l', {"#", "#", "#", "#", "#", "#", "."}},
    {'o', {"...", ".#.", "#.#", "#.#", "#.#", ".#.", "..."}},
    {'m', {".....", "####.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "....."}},
    {'a', {"...", "##.", "..#", ".##", "#.#", ".##", "..."}},
    {'r', {"...", "#.#", "##.", "#..", "#..", "#..", "..."}},
};

const Glyph* findGlyph(char ch) {
  for (const Glyph& g : kFont)
    if (g.ch == ch) return &g;
  return nullptr;
}

// Draws text with one pixel between letters; returns the x after the last one.
int drawText(Canvas& c, int x, int y, const char* text, Rgb ink) {
  for (; *text; ++text) {
    const Glyph* g = findGlyph(*text);
    if (!g) continue;
    int width = 0;
    for (int row = 0; row < kGlyphRows; ++row) {
      const int len = static_cast<int>(std::strlen(g->rows[row]));
      width = len > width ? len : width;
      for (int col = 0; col < len; ++col)
        if (g->rows[row][col] == '#') c.set(x + col, y + row, ink);
    }
    x += width + 1;
  }
  return x;
}

Canvas drawSkin() {
  Canvas c;

  // Body: a soft vertical gradient inside a dark one-pixel border.
  for (int y = 0; y < kSkinH; ++y)
    for (int x = 0; x < kSkinW; ++x) {
      const bool edge = x == 0 || y == 0 || x == kSkinW - 1 || y == kSkinH - 1;
      c.set(x, y, edge ? kBorder : mix(kTop, kBottom, y - 1, kSkinH - 3));
    }
  for (int x = 1; x < kSkinW - 1; ++x) c.set(x, 1, kHighlight);
  // Round the outer corners a little by blending them into the border.
  const int cx[] = {1, kSkinW - 2};
  const int cy[] = {1, kSkinH - 2};
  for (int x : cx)
    for (int y : cy) c.set(x, y, mix(c.get(x, y), kBorder, 1, 2));

  // The text box sits in a shallow recess: dark above and left, light
  // below and right, as if pressed into the bar.
  const int l = kBoxLeft - 1, t = kBoxTop - 1, r = kBoxRight + 1, b = kBoxBottom + 1;
  for (int x = l; x <= r; ++x) {
    c.set(x, t, kShade);
    c.set(x, b, kLift);
  }
  for (int y = t; y <= b; ++y) {
    c.set(l, y, kShade);
    c.set(r, y, kLift);
  }
  c.set(r, t, mix(kShade, kLift, 1, 2));
  c.set(l, b, mix(kShade, kLift, 1, 2));

  // Wordmark at the top left, followed by a caret in the accent colour.
  // The top band right of x 190 stays empty: the countdown is drawn there.
  const int end = drawText(c, 7, 3, "pellomar", kInk);
  for (int y = 3; y <= 8; ++y) c.set(end + 1, y, kAccent);
  return c;
}

Bytes encodeSkin(const Canvas& c) {
  const int rowBytes = (kSkinW * 3 + 3) & ~3;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes * kSkinH);
  Bytes out;
  // BITMAPFILEHEADER
  put8(out, 'B');
  put8(out, 'M');
  put32(out, 14 + 40 + imageSize);
  put32(out, 0);
  put32(out, 14 + 40);
  putInfoHeader(out, kSkinW, kSkinH, 24, imageSize);
  for (int y = kSkinH - 1; y >= 0; --y) {  // bottom-up
    for (int x = 0; x < kSkinW; ++x) {
      const Rgb p = c.get(x, y);
      put8(out, p.b);
      put8(out, p.g);
      put8(out, p.r);
    }
    for (int pad = kSkinW * 3; pad < rowBytes; ++pad) put8(out, 0);
  }
  return out;
}

// ---------------------------------------------------------------- the icon

// The standard 16-colour VGA palette, as red, green, blue.
const Rgb kVga[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

// Letters used in the pictures below; '.' is transparent.
int paletteIndex(char ch) {
  switch (ch) {
    case 'k':
      return 0;  // black: the bar
    case 'g':
      return 8;  // dark grey: its rim and the recess
    case 's':
      return 7;  // light grey: the wordmark
    case 'b':
      return 12;  // blue: the prompt
    case 'w':
      return 15;  // white: the text box
    default:
      return -1;
  }
}

// The bar in miniature: dark body, a hint of the wordmark, a white text box
// with a blue prompt and a caret. Drawn by hand for each size, since scaling
// would smear the 16 x 16 one.
const char* const kIcon32[32] = {
    "................................", "................................", "................................",
    "................................", "................................", "...gggggggggggggggggggggggggg...",
    "..gkkkkkkkkkkkkkkkkkkkkkkkkkkg..", ".gkkkkkkkkkkkkkkkkkkkkkkkkkkkkg.", ".gkkkkkkkkkkkkkkkkkkkkkkkkkkkkg.",
    ".gkkkgsgsgsgkgsgsgkkkkkkkkkkkkg.", ".gkkkkkkkkkkkkkkkkkkkkkkkkkkkkg.", ".gkkkkkkkkkkkkkkkkkkkkkkkkkkkkg.",
    ".gkggggggggggggggggggggggggggkg.", ".gkgwwwwwwwwwwwwwwwwwwwwwwwwgkg.", ".gkgwwbwwwwwwwwwwwwwwwwwwwwwgkg.",
    ".gkgwwbbwwwwkwwwwwwwwwwwwwwwgkg.", ".gkgwwwbbwwwkwwwwwwwwwwwwwwwgkg.", ".gkgwwwwbbwwkwwwwwwwwwwwwwwwgkg.",
    ".gkgwwwwbbwwkwwwwwwwwwwwwwwwgkg.", ".gkgwwwbbwwwkwwwwwwwwwwwwwwwgkg.", ".gkgwwbbwwwwkwwwwwwwwwwwwwwwgkg.",
    ".gkgwwbwwwwwwwwwwwwwwwwwwwwwgkg.", ".gkgwwwwwwwwwwwwwwwwwwwwwwwwgkg.", ".gkggggggggggggggggggggggggggkg.",
    ".gkkkkkkkkkkkkkkkkkkkkkkkkkkkkg.", "..gkkkkkkkkkkkkkkkkkkkkkkkkkkg..", "...gggggggggggggggggggggggggg...",
    "................................", "................................", "................................",
    "................................", "................................",
};

const char* const kIcon16[16] = {
    "................", ".gggggggggggggg.", "gkkkkkkkkkkkkkkg", "gkkgsgsgkgsgkkkg",
    "gkkkkkkkkkkkkkkg", "gkwwwwwwwwwwwwkg", "gkwbbwwwwwwwwwkg", "gkwwbbwwkwwwwwkg",
    "gkwwwbbwkwwwwwkg", "gkwwbbwwkwwwwwkg", "gkwbbwwwwwwwwwkg", "gkwwwwwwwwwwwwkg",
    "gkkkkkkkkkkkkkkg", "gkkkkkkkkkkkkkkg", ".gggggggggggggg.", "................",
};

// One icon image: header, palette, colour bits (4 bpp), then the 1-bpp AND
// mask where 1 means "show the desktop". Both are bottom-up, rows padded to 4.
Bytes encodeIconImage(const char* const* rows, int size) {
  const std::size_t xorRow = static_cast<std::size_t>((size * 4 + 31) / 32 * 4);
  const std::size_t andRow = static_cast<std::size_t>((size + 31) / 32 * 4);
  Bytes out;
  putInfoHeader(out, size, size * 2, 4, static_cast<std::uint32_t>((xorRow + andRow) * static_cast<std::size_t>(size)));
  for (const Rgb& c : kVga) {  // RGBQUAD: blue, green, red, reserved
    put8(out, c.b);
    put8(out, c.g);
    put8(out, c.r);
    put8(out, 0);
  }
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(xorRow, 0);
    for (int x = 0; x < size; ++x) {
      const int idx = paletteIndex(rows[y][x]);
      // Transparent pixels stay black so the AND/XOR pair leaves the desktop alone.
      const unsigned nibble = idx < 0 ? 0u : static_cast<unsigned>(idx);
      row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? nibble : nibble << 4);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(andRow, 0);
    for (int x = 0; x < size; ++x)
      if (paletteIndex(rows[y][x]) < 0)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Bytes encodeIcon() {
  const Bytes images[2] = {encodeIconImage(kIcon32, 32), encodeIconImage(kIcon16, 16)};
  const int sizes[2] = {32, 16};
  Bytes out;
  put16(out, 0);  // reserved
  put16(out, 1);  // resource type: icon
  put16(out, 2);  // image count
  std::uint32_t offset = 6 + 16 * 2;
  for (int i = 0; i < 2; ++i) {
    put8(out, static_cast<unsigned>(sizes[i]));
    put8(out, static_cast<unsigned>(sizes[i]));
    put8(out, 16);  // colour count
    put8(out, 0);   // reserved
    put16(out, 1);  // planes
    put16(out, 4);  // bits per pixel
    put32(out, static_cast<std::uint32_t>(images[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_art <output folder>\n");
    return 2;
  }
  const std::string dir = argv[1];
  const bool ok =
      writeFile(dir + "/sk_default.bmp", encodeSkin(drawSkin())) && writeFile(dir + "/pellomar.ico", encodeIcon());
  return ok ? 0 : 1;
}
