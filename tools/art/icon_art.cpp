#include "tools/art/icon_art.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

struct Rgb {
  int r, g, b;
};

// The default skin's colours, so that icon and bar look alike.
constexpr Rgb TOP{58, 64, 73};
constexpr Rgb BOTTOM{35, 39, 45};
constexpr Rgb BORDER{18, 20, 24};
constexpr Rgb HIGHLIGHT{86, 94, 105};
constexpr Rgb SHADE{24, 27, 32};
constexpr Rgb LIFT{70, 77, 87};
constexpr Rgb INK{122, 131, 143};
constexpr Rgb ACCENT{86, 156, 230};
constexpr Rgb BOX{255, 255, 255};
constexpr Rgb CARET{51, 51, 51};

// Samples per pixel along each axis. Shapes are tested at sample centres, in units of half
// a sample (UNIT per pixel), so that every coordinate stays an integer.
constexpr int SAMPLES = 8;
constexpr long UNIT = 2 * SAMPLES;

int Mix(int a, int b, int part, int whole) {
  return whole ? (a * (whole - part) + b * part + whole / 2) / whole : a;
}

// A pixel in premultiplied colour, each part 0 to 255.
struct Pixel {
  int r, g, b, a;
};

class Canvas {
 public:
  explicit Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size * size), Pixel{0, 0, 0, 0}) {}

  // Lays the colour of each pixel's row over it as far as the shape covers the pixel.
  void Paint(const std::function<bool(long x, long y)>& inside, const std::function<Rgb(int row)>& colourOfRow) {
    for (int y = 0; y < size_; ++y) {
      const Rgb colour = colourOfRow(y);
      for (int x = 0; x < size_; ++x) {
        int covered = 0;
        for (int sy = 0; sy < SAMPLES; ++sy)
          for (int sx = 0; sx < SAMPLES; ++sx) covered += inside(x * UNIT + 2 * sx + 1, y * UNIT + 2 * sy + 1);
        if (!covered) continue;
        const int whole = SAMPLES * SAMPLES, rest = whole - covered;
        Pixel& p = pixels_[static_cast<std::size_t>(y * size_ + x)];
        p = {(colour.r * covered + p.r * rest + whole / 2) / whole,
             (colour.g * covered + p.g * rest + whole / 2) / whole,
             (colour.b * covered + p.b * rest + whole / 2) / whole, (255 * covered + p.a * rest + whole / 2) / whole};
      }
    }
  }
  void Paint(const std::function<bool(long x, long y)>& inside, Rgb colour) {
    Paint(inside, [colour](int) { return colour; });
  }

  std::vector<std::uint8_t> Rgba() const {
    std::vector<std::uint8_t> out;
    for (const Pixel& p : pixels_) {
      const auto straight = [&p](int c) { return static_cast<std::uint8_t>(p.a ? (c * 255 + p.a / 2) / p.a : 0); };
      out.insert(out.end(), {straight(p.r), straight(p.g), straight(p.b), static_cast<std::uint8_t>(p.a)});
    }
    return out;
  }

 private:
  int size_;
  std::vector<Pixel> pixels_;
};

// Shapes, in pixels; their tests take points in UNIT per pixel.
std::function<bool(long, long)> Rect(long left, long top, long right, long bottom) {
  return [=](long x, long y) { return x >= left * UNIT && x < right * UNIT && y >= top * UNIT && y < bottom * UNIT; };
}

// Corners rounded with radius, in UNIT.
std::function<bool(long, long)> RoundedRect(long left, long top, long right, long bottom, long radius) {
  return [=](long x, long y) {
    const long l = left * UNIT, t = top * UNIT, r = right * UNIT, b = bottom * UNIT;
    if (x < l || x >= r || y < t || y >= b) return false;
    const long dx = std::max({l + radius - x, x - (r - radius), 0L}),
               dy = std::max({t + radius - y, y - (b - radius), 0L});
    return dx * dx + dy * dy <= radius * radius;
  };
}

// The points within half of width of the segment between the two points, all in UNIT.
std::function<bool(long, long)> Stroke(long x0, long y0, long x1, long y1, long width) {
  return [=](long x, long y) {
    const long dx = x1 - x0, dy = y1 - y0, wx = x - x0, wy = y - y0;
    const long along = wx * dx + wy * dy, length2 = dx * dx + dy * dy, reach2 = width * width / 4;
    if (along <= 0) return wx * wx + wy * wy <= reach2;
    if (along >= length2) return (x - x1) * (x - x1) + (y - y1) * (y - y1) <= reach2;
    return (wx * wx + wy * wy) * length2 - along * along <= reach2 * length2;
  };
}

long Part(int size, int numerator, int denominator) {
  return (2L * size * numerator + denominator) / (2L * denominator);  // rounded
}

}  // namespace

std::vector<std::uint8_t> DrawIcon(int size) {
  Canvas canvas(size);
  const long line = std::max(1L, Part(size, 1, 48));

  // The slab: the bar's dark body with a lighter top edge, rounded corners and a border.
  const long left = Part(size, 1, 32), right = size - left, top = Part(size, 3, 32), bottom = size - top;
  const long radius = Part(size, 3, 32) * UNIT;
  canvas.Paint(RoundedRect(left, top, right, bottom, std::max(radius, UNIT)), BORDER);
  const auto inner =
      RoundedRect(left + line, top + line, right - line, bottom - line, std::max(radius - line * UNIT, UNIT / 2));
  canvas.Paint(inner, [&](int row) {
    return Rgb{Mix(TOP.r, BOTTOM.r, static_cast<int>(row - top - line), static_cast<int>(bottom - top - 2 * line - 1)),
               Mix(TOP.g, BOTTOM.g, static_cast<int>(row - top - line), static_cast<int>(bottom - top - 2 * line - 1)),
               Mix(TOP.b, BOTTOM.b, static_cast<int>(row - top - line), static_cast<int>(bottom - top - 2 * line - 1))};
  });
  const auto highlight = Rect(left + line, top + line, right - line, top + 2 * line);
  canvas.Paint([&](long x, long y) { return inner(x, y) && highlight(x, y); }, HIGHLIGHT);

  // The text box in its recess, the lower part of the slab.
  const long inset = Part(size, 3, 32);
  const long boxLeft = left + inset, boxRight = right - inset;
  const long boxTop = top + (bottom - top) * 2 / 5, boxBottom = bottom - line - std::max(1L, Part(size, 2, 32));
  canvas.Paint(Rect(boxLeft - line, boxTop - line, boxRight + line, boxBottom + line), LIFT);
  canvas.Paint(Rect(boxLeft - line, boxTop - line, boxRight, boxBottom), SHADE);
  canvas.Paint(Rect(boxLeft, boxTop, boxRight, boxBottom), BOX);

  // A hint of the wordmark above the box.
  const long markTop = (top + 2 * line + boxTop - line - line) / 2;
  canvas.Paint(Rect(boxLeft, markTop, boxLeft + (boxRight - boxLeft) * 2 / 5, markTop + line), INK);

  // The prompt, a chevron in the accent colour, and the caret after it. Up to 48 pixels
  // the chevron is a staircase of whole pixels, which no smoothing matches for sharpness.
  const long boxHeight = boxBottom - boxTop;
  const long rows = ((size <= 48 ? boxHeight * 5 / 6 : boxHeight * 2 / 3) - 1) | 1, half = rows / 2;
  const long chevronTop = boxTop + (boxHeight - rows) / 2, chevronLeft = boxLeft + (boxHeight - rows + 1) / 2 + line;
  const long thickness = std::max(1L, (rows + 1) / 3);
  long caretLeft;
  if (size <= 48) {
    for (long row = 0; row < rows; ++row) {
      const long step = half - std::labs(row - half);
      canvas.Paint(Rect(chevronLeft + step, chevronTop + row, chevronLeft + step + thickness, chevronTop + row + 1),
                   ACCENT);
    }
    caretLeft = chevronLeft + half + thickness + std::max(1L, thickness / 2);
  } else {
    const long width = thickness * UNIT, x0 = chevronLeft * UNIT + width / 2, y0 = chevronTop * UNIT + width / 2;
    const long y1 = (chevronTop + rows) * UNIT - width / 2, tipX = x0 + (y1 - y0) / 2, tipY = (y0 + y1) / 2;
    canvas.Paint(Stroke(x0, y0, tipX, tipY, width), ACCENT);
    canvas.Paint(Stroke(tipX, tipY, x0, y1, width), ACCENT);
    caretLeft = (tipX + width / 2) / UNIT + thickness;
  }
  canvas.Paint(Rect(caretLeft, chevronTop, caretLeft + std::max(1L, thickness * 2 / 3), chevronTop + rows), CARET);
  return canvas.Rgba();
}
