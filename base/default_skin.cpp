#include "base/default_skin.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

struct Rgb {
  uint8_t r, g, b;
};

// Charcoal slate, a little bluish, so that the text box stands out without the bar itself
// shouting.
constexpr Rgb TOP{58, 64, 73};     // gradient, first row inside the border
constexpr Rgb BOTTOM{35, 39, 45};  // gradient, last row inside the border
constexpr Rgb BORDER{18, 20, 24};
constexpr Rgb HIGHLIGHT{86, 94, 105};  // catches the light along the top edge
constexpr Rgb SHADE{24, 27, 32};       // recess around the text box, top and left
constexpr Rgb LIFT{70, 77, 87};        // recess around the text box, bottom and right
constexpr Rgb INK{122, 131, 143};      // the wordmark: readable only when looked for
constexpr Rgb ACCENT{86, 156, 230};    // the one colourful touch: a little caret

// The wordmark's place at 96 dpi; the top band right of the countdown's place stays empty.
constexpr int32_t WORDMARK_LEFT = 7;
constexpr int32_t WORDMARK_TOP = 3;

// Rounded integer blend: no floating point, so the same bytes on every platform.
uint8_t Mix(uint8_t a, uint8_t b, int32_t part, int32_t whole) {
  return static_cast<uint8_t>((a * (whole - part) + b * part + whole / 2) / whole);
}

Rgb Mix(Rgb a, Rgb b, int32_t part, int32_t whole) {
  return {Mix(a.r, b.r, part, whole), Mix(a.g, b.g, part, whole), Mix(a.b, b.b, part, whole)};
}

class Canvas {
 public:
  Canvas(int32_t width, int32_t height, uint32_t* pixels) : width_(width), height_(height), pixels_(pixels) {}

  // The rectangle from (left, top) to before (right, bottom), cut to the canvas.
  void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb colour) {
    for (int32_t y = std::max(top, 0); y < std::min(bottom, height_); ++y)
      for (int32_t x = std::max(left, 0); x < std::min(right, width_); ++x) At(x, y) = Packed(colour);
  }

  // Each pixel of the rectangle halfway towards colour.
  void Blend(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb colour) {
    for (int32_t y = std::max(top, 0); y < std::min(bottom, height_); ++y)
      for (int32_t x = std::max(left, 0); x < std::min(right, width_); ++x) {
        const uint32_t p = At(x, y);
        const Rgb old = {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
        At(x, y) = Packed(Mix(old, colour, 1, 2));
      }
  }

 private:
  static uint32_t Packed(Rgb c) { return uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b; }
  uint32_t& At(int32_t x, int32_t y) { return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + x]; }

  int32_t width_, height_;
  uint32_t* pixels_;
};

// A tiny hand-drawn lowercase face. Row 0 is the ascender, rows 1 to 5 the x-height, row 6
// the descender. Only the letters of the name are needed.
constexpr int GLYPH_ROWS = 7;

struct Glyph {
  char letter;
  const char* rows[GLYPH_ROWS];
};

const Glyph FACE[] = {
    {'p', {"...", "##.", "#.#", "#.#", "##.", "#..", "#.."}},
    {'e', {"...", ".#.", "#.#", "###", "#..", ".##", "..."}},
    {'l', {"#", "#", "#", "#", "#", "#", "."}},
    {'o', {"...", ".#.", "#.#", "#.#", "#.#", ".#.", "..."}},
    {'m', {".....", "####.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "....."}},
    {'a', {"...", "##.", "..#", ".##", "#.#", ".##", "..."}},
    {'r', {"...", "#.#", "##.", "#..", "#..", "#..", "..."}},
};

// Letters of dot pixels, one dot apart; returns the x after the dot that follows the last.
int32_t DrawWord(Canvas& canvas, int32_t x, int32_t y, int32_t dot, const char* word) {
  for (; *word; ++word)
    for (const Glyph& glyph : FACE) {
      if (glyph.letter != *word) continue;
      const int32_t columns = static_cast<int32_t>(std::strlen(glyph.rows[0]));
      for (int32_t row = 0; row < GLYPH_ROWS; ++row)
        for (int32_t column = 0; column < columns; ++column)
          if (glyph.rows[row][column] == '#')
            canvas.Fill(x + column * dot, y + row * dot, x + (column + 1) * dot, y + (row + 1) * dot, INK);
      x += (columns + 1) * dot;
    }
  return x;
}

}  // namespace

void DrawDefaultSkin(const BarLayout& layout, uint32_t* pixels) {
  Canvas canvas(layout.width, layout.height, pixels);
  const int32_t w = layout.width, h = layout.height;
  const int32_t line = std::max<int32_t>(1, static_cast<int32_t>(layout.dpi / BASE_DPI));

  // Body: a soft vertical gradient inside a dark border.
  canvas.Fill(0, 0, w, h, BORDER);
  for (int32_t y = line; y < h - line; ++y)
    canvas.Fill(line, y, w - line, y + 1, Mix(TOP, BOTTOM, y - line, h - 2 * line - 1));
  canvas.Fill(line, line, w - line, 2 * line, HIGHLIGHT);
  // Round the outer corners a little by blending them into the border.
  for (const int32_t x : {line, w - 2 * line})
    for (const int32_t y : {line, h - 2 * line}) canvas.Blend(x, y, x + line, y + line, BORDER);

  // The text box sits in a shallow recess: dark above and left, light below and right, as
  // if pressed into the bar.
  const int32_t left = layout.boxLeft - line, top = layout.boxTop - line;
  const int32_t right = layout.boxLeft + layout.boxWidth, bottom = layout.boxTop + layout.boxHeight;
  canvas.Fill(left, top, right + line, layout.boxTop, SHADE);
  canvas.Fill(left, bottom, right + line, bottom + line, LIFT);
  canvas.Fill(left, top, layout.boxLeft, bottom + line, SHADE);
  canvas.Fill(right, top, right + line, bottom + line, LIFT);
  const Rgb corner = Mix(SHADE, LIFT, 1, 2);
  canvas.Fill(right, top, right + line, layout.boxTop, corner);
  canvas.Fill(left, bottom, layout.boxLeft, bottom + line, corner);

  // The wordmark at the top left, followed by a caret in the accent colour.
  const int32_t wordTop = ScaleToDpi(WORDMARK_TOP, layout.dpi);
  const int32_t end = DrawWord(canvas, ScaleToDpi(WORDMARK_LEFT, layout.dpi), wordTop, line, "pellomar");
  canvas.Fill(end + line, wordTop, end + 2 * line, wordTop + 6 * line, ACCENT);
}
