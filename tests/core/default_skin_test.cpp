#include "base/default_skin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

// The program knows sk_default.bmp by drawing it: a file that no longer matches the
// drawing would be stretched at other scales instead of drawn.
TEST(DrawDefaultSkin, DrawsTheShippedFileAt96Dpi) {
  std::vector<unsigned char> bmp(54 + 260 * 32 * 3);  // the headers, then rows bottom-up, 3 bytes a pixel
  std::FILE* file = std::fopen(PELLOMAR_SOURCE_DIR "/resources/sk_default.bmp", "rb");
  ASSERT_TRUE(file && std::fread(bmp.data(), 1, bmp.size(), file) == bmp.size());
  std::fclose(file);
  std::vector<uint32_t> drawn(260 * 32);
  DrawDefaultSkin(BarLayoutAt(96), drawn.data());
  for (size_t i = 0; i < drawn.size(); ++i) {
    const unsigned char* stored = &bmp[54 + ((31 - i / 260) * 260 + i % 260) * 3];
    ASSERT_EQ(drawn[i], uint32_t{stored[2]} << 16 | stored[1] << 8 | stored[0]) << i % 260 << ", " << i / 260;
  }
}
