#include "app/bar_geometry.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

// 1280 x 800 pixels with a 30-pixel taskbar at the bottom.
const ScreenRect WORK_AREA = {0, 0, 1280, 770};

// A point as something that compares and prints.
const auto XY = [](ScreenPoint point) { return std::pair(point.x, point.y); };

TEST(SnapDragPosition, PullsEdgesCloserThanTheStrengthOntoTheScreenEdges) {
  // The bar (260 x 32) is grabbed at {30, 10}.
  const std::tuple<const char*, ScreenPoint, int32_t, ScreenRect, ScreenPoint> cases[] = {
      {"left s-1 in snaps, top exactly s in stays", {54, 35}, 25, WORK_AREA, {0, 25}},
      {"left exactly s in stays, top s-1 in snaps", {55, 34}, 25, WORK_AREA, {25, 0}},
      {"left s-1 out snaps, top exactly s out stays", {6, -15}, 25, WORK_AREA, {0, -25}},
      {"left exactly s out stays at a negative x, top s-1 out snaps", {5, -14}, 25, WORK_AREA, {-25, 0}},
      {"right s-1 beyond the work area snaps, bottom s short stays", {1074, 723}, 25, WORK_AREA, {1020, 713}},
      {"right s short stays, bottom s-1 beyond snaps onto the taskbar", {1025, 772}, 25, WORK_AREA, {995, 738}},
      {"right wins over left in a narrow work area", {40, 300}, 25, {0, 0, 270, 770}, {10, 290}},
      {"bottom wins over top in a low work area", {400, 12}, 25, {0, 0, 1280, 40}, {370, 8}},
      {"strength 0 never snaps", {31, 11}, 0, WORK_AREA, {1, 1}},
      {"the lowest strength never snaps", {31, 11}, INT32_MIN, WORK_AREA, {1, 1}},
      {"left snaps to screen 0, not to a left taskbar", {70, 300}, 50, {60, 0, 1280, 800}, {0, 290}}};
  for (const auto& [name, cursor, snapStrength, workArea, expected] : cases)
    EXPECT_EQ(XY(SnapDragPosition(cursor, {30, 10}, snapStrength, workArea, BASE_DPI)), XY(expected)) << name;
}

TEST(BarLayoutAt, ScalesEverySizeFromItsSizeAt96Dpi) {
  // The window, the command box, the countdown's place and font height and a font of 12
  // pixels at 96 dpi; the reach of a snapping strength of 25.
  const std::tuple<uint32_t, std::vector<int32_t>, int32_t> cases[] = {
      {96, {260, 32, 6, 12, 248, 16, 196, 1, -10, -12}, 25},
      {120, {325, 40, 8, 15, 310, 20, 245, 1, -13, -15}, 31},
      {144, {390, 48, 9, 18, 372, 24, 294, 2, -15, -18}, 38},
      {192, {520, 64, 12, 24, 496, 32, 392, 2, -20, -24}, 50},
  };
  for (const auto& [dpi, sizes, reach] : cases) {
    const BarLayout l = BarLayoutAt(dpi);
    EXPECT_EQ(std::vector({l.width, l.height, l.boxLeft, l.boxTop, l.boxWidth, l.boxHeight, l.countdownLeft,
                           l.countdownTop, l.countdownFontHeight, ScaleToDpi(-12, dpi)}),
              sizes)
        << dpi;
    // Grabbed at its top-left corner, the bar snaps to the left from within the reach, and
    // onto the work area's right edge at its width at this scale.
    const auto snapped = [dpi = dpi](int32_t x) { return SnapDragPosition({x, 300}, {0, 0}, 25, WORK_AREA, dpi).x; };
    EXPECT_EQ(std::vector({snapped(reach - 1), snapped(reach), snapped(1279 - l.width)}),
              std::vector({0, reach, 1280 - l.width}))
        << dpi;
  }
}

TEST(MoveBarIntoArea, MovesTheLeastDistanceIntoTheArea) {
  // Inside stays; beyond the bottom right, at 100 and 150 %; beyond the top left, onto a
  // monitor left of the primary; an area smaller than the bar.
  const std::tuple<ScreenPoint, ScreenRect, uint32_t, ScreenPoint> cases[] = {
      {{100, 100}, WORK_AREA, 96, {100, 100}},    {{5000, 5000}, WORK_AREA, 96, {1020, 738}},
      {{5000, 5000}, WORK_AREA, 144, {890, 722}}, {{-9000, -40}, {-1920, 0, 0, 1040}, 96, {-1920, 0}},
      {{500, 500}, {0, 0, 200, 20}, 96, {0, 0}},
  };
  for (const auto& [topLeft, into, dpi, expected] : cases)
    EXPECT_EQ(XY(MoveBarIntoArea(topLeft, into, dpi)), XY(expected)) << topLeft.x << ", " << topLeft.y;
}

TEST(BarRectAt, HoldsFarEdgesAtTheEndOfTheCoordinateRange) {
  const ScreenRect near = BarRectAt({-100, 50}, 96), far = BarRectAt({INT32_MAX - 10, INT32_MAX}, 96);
  EXPECT_EQ(std::tuple(near.right, near.bottom, far.right, far.bottom), std::tuple(160, 82, INT32_MAX, INT32_MAX));
}

TEST(AlphaFromPercent, TruncatesAndClamps) {
  const std::pair<int32_t, uint8_t> cases[] = {{100, 255}, {85, 216}, {1, 2}, {0, 0}, {-1, 0}, {101, 255}};
  for (const auto& [percent, alpha] : cases) EXPECT_EQ(AlphaFromPercent(percent), alpha) << percent;
}
