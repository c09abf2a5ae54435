#include "app/bar_geometry.h"

#include <cstdint>
#include <limits>

namespace {

bool WithinSnap(int32_t edge, int32_t target, int32_t reach) {
  // 64-bit so that extreme stored values cannot overflow the comparison.
  const int64_t distance = static_cast<int64_t>(edge) - target;
  return -static_cast<int64_t>(reach) < distance && distance < reach;
}

int32_t FarEdge(int32_t start, int32_t size) {
  const int32_t last = std::numeric_limits<int32_t>::max();
  return start > last - size ? last : start + size;
}

ScreenRect RectAt(ScreenPoint topLeft, const BarLayout& bar) {
  return {topLeft.x, topLeft.y, FarEdge(topLeft.x, bar.width), FarEdge(topLeft.y, bar.height)};
}

int32_t ClampStart(int32_t start, int32_t size, int32_t low, int32_t high) {
  if (start > high - size) start = high - size;
  if (start < low) start = low;
  return start;
}

}  // namespace

ScreenRect BarRectAt(ScreenPoint topLeft, uint32_t dpi) {
  return RectAt(topLeft, BarLayoutAt(dpi));
}

ScreenPoint SnapDragPosition(ScreenPoint cursor, ScreenPoint dragOffset, int32_t snapStrength, ScreenRect workArea,
                             uint32_t dpi) {
  const BarLayout layout = BarLayoutAt(dpi);
  const ScreenRect bar = RectAt({cursor.x - dragOffset.x, cursor.y - dragOffset.y}, layout);
  const int32_t reach = ScaleToDpi(snapStrength, dpi);
  ScreenPoint snapped = {bar.left, bar.top};
  if (WithinSnap(bar.left, 0, reach)) snapped.x = 0;
  if (WithinSnap(bar.right, workArea.right, reach)) snapped.x = workArea.right - layout.width;
  if (WithinSnap(bar.top, 0, reach)) snapped.y = 0;
  if (WithinSnap(bar.bottom, workArea.bottom, reach)) snapped.y = workArea.bottom - layout.height;
  return snapped;
}

ScreenPoint MoveBarIntoArea(ScreenPoint topLeft, ScreenRect area, uint32_t dpi) {
  const BarLayout bar = BarLayoutAt(dpi);
  return {ClampStart(topLeft.x, bar.width, area.left, area.right),
          ClampStart(topLeft.y, bar.height, area.top, area.bottom)};
}

uint8_t AlphaFromPercent(int32_t percent) {
  if (percent < 0) percent = 0;
  if (percent > 100) percent = 100;
  return static_cast<uint8_t>(percent * 255 / 100);
}
