#include "base/bar_layout.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

int32_t ScaleBetweenDpis(int32_t value, uint32_t fromDpi, uint32_t toDpi) {
  assert(fromDpi > 0);
  // 64 bits hold any 32-bit value times any dpi, and a half of the divisor on top.
  const int64_t product = static_cast<int64_t>(value) * toDpi;
  const int64_t half = fromDpi / 2;
  const int64_t scaled = (product < 0 ? product - half : product + half) / static_cast<int64_t>(fromDpi);
  return static_cast<int32_t>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

BarLayout BarLayoutAt(uint32_t dpi) {
  BarLayout layout = {};
  layout.dpi = dpi;
  layout.width = ScaleToDpi(MAIN_WINDOW_WIDTH, dpi);
  layout.height = ScaleToDpi(MAIN_WINDOW_HEIGHT, dpi);
  layout.boxLeft = ScaleToDpi(COMMAND_BOX_LEFT, dpi);
  layout.boxTop = ScaleToDpi(COMMAND_BOX_TOP, dpi);
  layout.boxWidth = ScaleToDpi(COMMAND_BOX_WIDTH, dpi);
  layout.boxHeight = ScaleToDpi(COMMAND_BOX_HEIGHT, dpi);
  layout.countdownLeft = layout.width - ScaleToDpi(COUNTDOWN_LEFT_FROM_RIGHT, dpi);
  layout.countdownTop = ScaleToDpi(COUNTDOWN_TOP, dpi);
  layout.countdownFontHeight = ScaleToDpi(COUNTDOWN_FONT_HEIGHT, dpi);
  return layout;
}
