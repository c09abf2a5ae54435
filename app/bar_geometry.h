#pragma once
#include <cstdint>

#include "base/bar_layout.h"

struct ScreenPoint {
  int32_t x;
  int32_t y;
};

struct ScreenRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The rectangle of the bar at dpi with its top-left corner at topLeft; far edges beyond the
// coordinate range stay at its end instead of wrapping (only a hand-edited settings file
// gets there).
ScreenRect BarRectAt(ScreenPoint topLeft, uint32_t dpi);

// Where the top-left corner of a bar at dpi goes while it is dragged: under the cursor at
// the grab offset, with each edge that comes closer than snapStrength (strictly; pixels at
// 96 dpi) to a screen edge pulled onto it. The left and top edges snap to the screen's 0,
// the right and bottom edges to the work area's; when both edges of an axis are in reach,
// the work area's edge wins.
ScreenPoint SnapDragPosition(ScreenPoint cursor, ScreenPoint dragOffset, int32_t snapStrength, ScreenRect workArea,
                             uint32_t dpi);

// The smallest move that puts a bar at dpi with its top-left corner at topLeft wholly
// inside area; an area smaller than the bar keeps the bar's top-left corner on the area's.
ScreenPoint MoveBarIntoArea(ScreenPoint topLeft, ScreenRect area, uint32_t dpi);

// The layered-window alpha for an opacity percentage; percentages beyond 0..100 (only a
// hand-edited settings file holds them) count as the nearest bound.
uint8_t AlphaFromPercent(int32_t percent);
