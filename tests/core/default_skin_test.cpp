#include "base/default_skin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

// The program knows sk_default.bmp by drawing it: a file that no longer matches the
// drawing would be stretched at other scales instead of drawn.
TEST(DrawDefaultSkin, DrawsTheShippedFileAt96DpiAndStaysInsideTheBarAtEveryScale) {
  std::FILE* file = std::fopen(PELLOMAR_SOURCE_DIR "/resources/sk_default.bmp", "rb");
  ASSERT_NE(file, nullptr);
  std::vector<unsigned char> bmp(54 + 260 * 32 * 3);  // headers, then rows bottom-up, 3 bytes a pixel
  ASSERT_EQ(std::fread(bmp.data(), 1, bmp.size(), file), bmp.size());
  std::fclose(file);
  for (const uint32_t dpi : {96, 120, 144, 168, 192, 288}) {
    const BarLayout layout = BarLayoutAt(dpi);
    std::vector<uint32_t> pixels(static_cast<size_t>(layout.width * layout.height));
    DrawDefaultSkin(layout, pixels.data());  // AddressSanitizer watches the edges
    for (size_t i = 0; dpi == 96 && i < pixels.size(); ++i) {
      const unsigned char* stored = &bmp[54 + ((31 - i / 260) * 260 + i % 260) * 3];
      ASSERT_EQ(pixels[i], uint32_t{stored[2]} << 16 | stored[1] << 8 | stored[0]) << i % 260 << ", " << i / 260;
    }
  }
}
