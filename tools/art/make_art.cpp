// make_art: draws Pellomar's built-in artwork from code, so that the binary
// files in resources/ can always be rebuilt and reviewed as text.
//
//   make_art <output folder>
//
// writes <output folder>/sk_default.bmp (the default 260 x 32 skin, as the program
// draws it at 96 dpi) and <output folder>/pellomar.ico (the application icon at seven
// sizes from 16 x 16 to 256 x 256). Every multi-byte field is written byte by byte,
// the drawing uses integers only and nothing depends on the clock or on randomness, so
// the output is identical on every platform and every run.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/bar_layout.h"
#include "base/default_skin.h"
#include "tools/art/icon_art.h"
#include "tools/art/png_writer.h"

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

// The default skin as the program draws it at 96 dpi, as a 24-bit bitmap file.
Bytes encodeSkin() {
  const BarLayout layout = BarLayoutAt(BASE_DPI);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(layout.width * layout.height));
  DrawDefaultSkin(layout, pixels.data());
  const int rowBytes = (layout.width * 3 + 3) & ~3;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes * layout.height);
  Bytes out;
  // BITMAPFILEHEADER
  put8(out, 'B');
  put8(out, 'M');
  put32(out, 14 + 40 + imageSize);
  put32(out, 0);
  put32(out, 14 + 40);
  putInfoHeader(out, layout.width, layout.height, 24, imageSize);
  for (int y = layout.height - 1; y >= 0; --y) {  // bottom-up
    for (int x = 0; x < layout.width; ++x) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y * layout.width + x)];
      put8(out, p);
      put8(out, p >> 8);
      put8(out, p >> 16);
    }
    for (int pad = layout.width * 3; pad < rowBytes; ++pad) put8(out, 0);
  }
  return out;
}
// ---------------------------------------------------------------- the icon

// The sizes Windows asks for: small icons at 100, 125, 150 and 200 % (16 to 32 pixels),
// large ones at 100, 125 and 150 % (32 to 48) and 256 for the shell's largest views.
const int ICON_SIZES[] = {16, 20, 24, 32, 40, 48, 256};

// One icon image as a DIB: header, 32-bit colour with alpha, bottom-up, then the 1-bit
// AND mask that older systems use in place of the alpha, 1 where the desktop shows.
Bytes encodeIconImage(const std::vector<std::uint8_t>& rgba, int size) {
  const std::size_t andRow = static_cast<std::size_t>((size + 31) / 32 * 4);
  const std::size_t pixelCount = static_cast<std::size_t>(size * size);
  Bytes out;
  putInfoHeader(out, size, size * 2, 32,
                static_cast<std::uint32_t>(pixelCount * 4 + andRow * static_cast<std::size_t>(size)));
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = &rgba[static_cast<std::size_t>(y * size + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});  // blue, green, red, alpha
    }
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(andRow, 0);
    for (int x = 0; x < size; ++x)
      if (rgba[static_cast<std::size_t>(y * size + x) * 4 + 3] == 0)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// Windows XP reads only DIBs, and its notification area and menus ask for 16 pixels;
// every other size is PNG, which later systems read, at a fraction of the bytes (the 32
// as a DIB would weigh 4 KB, the 48 9 KB, the 256 260 KB), and which XP does without,
// scaling the 16 for its larger views.
Bytes encodeIcon() {
  std::vector<Bytes> images;
  for (const int size : ICON_SIZES) {
    const std::vector<std::uint8_t> rgba = DrawIcon(size);
    const bool forXp = size == 16;
    images.push_back(forXp ? encodeIconImage(rgba, size) : EncodePng(rgba, size, size));
  }
  Bytes out;
  put16(out, 0);  // reserved
  put16(out, 1);  // resource type: icon
  put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    put8(out, ICON_SIZES[i] % 256);  // 0 stands for 256
    put8(out, ICON_SIZES[i] % 256);
    put8(out, 0);    // colour count: none, as for every image of more than 256 colours
    put8(out, 0);    // reserved
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
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
  const bool ok = writeFile(dir + "/sk_default.bmp", encodeSkin()) && writeFile(dir + "/pellomar.ico", encodeIcon());
  return ok ? 0 : 1;
}
