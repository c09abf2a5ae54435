#include "app/bar_geometry.h"

#include <cstdint>
#include <limits>

namespace {

bool WithinSnap(int32_t edge, int32_t target, int32_t snapStrength) {
  // 64-bit so that extreme stored values cannot overflow the comparison.
  const int64_t distance = static_cast<int64_t>(edge) - target;
  return -static_cast<int64_t>(snapStrength) < distance && distance < snapStrength;
}

int32_t FarEdge(int32_t start, int32_t size) {
  const int32_t last = std::numeric_limits<int32_t>::max();
  return start > last - size ? last : start + size;
}

int32_t ClampStart(int32_t start, int32_t size, int32_t low, int32_t high) {
  if (start > high - size) start = high - size;
  if (start < low) start = low;
  return start;
}

}  // namespace

ScreenRect BarRectAt(ScreenPoint topLeft) {
  return {topLeft.x, topLeft.y, FarEdge(topLeft.x, MAIN_WINDOW_WIDTH), FarEdge(topLeft.y, MAIN_WINDOW_HEIGHT)};
}

ScreenPoint SnapDragPosition(ScreenPoint cursor, ScreenPoint dragOffset, int32_t snapStrength, ScreenRect workArea) {
  const ScreenRect bar = BarRectAt({cursor.x - dragOffset.x, cursor.y - dragOffset.y});
  ScreenPoint snapped = {bar.left, bar.top};
  if (WithinSnap(bar.left, 0, snapStrength)) snapped.x = 0;
  if (WithinSnap(bar.right, workArea.right, snapStrength)) snapped.x = workArea.right - MAIN_WINDOW_WIDTH;
  if (WithinSnap(bar.top, 0, snapStrength)) snapped.y = 0;
  if (WithinSnap(bar.bottom, workArea.bottom, snapStrength)) snapped.y = workArea.bottom - MAIN_WINDOW_HEIGHT;
  return snapped;
}

ScreenPoint MoveBarIntoArea(ScreenPoint topLeft, ScreenRect area) {
  return {ClampStart(topLeft.x, MAIN_WINDOW_WIDTH, area.left, area.right),
          ClampStart(topLeft.y, MAIN_WINDOW_HEIGHT, area.top, area.bottom)};
}

uint8_t AlphaFromPercent(int32_t percent) {
  if (percent < 0) percent = 0;
  if (percent > 100) percent = 100;
  return static_cast<uint8_t>(percent * 255 / 100);
}
