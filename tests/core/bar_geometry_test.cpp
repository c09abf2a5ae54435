#include "app/bar_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const ScreenRect SCREEN_1280x800_BOTTOM_TASKBAR = {0, 0, 1280, 770};

struct SnapCase {
  const char* name;
  ScreenPoint cursor;
  ScreenPoint dragOffset;
  int32_t snapStrength;
  ScreenRect workArea;
  ScreenPoint expected;
};

}  // namespace

TEST(SnapDragPosition, PullsNearEdgesOntoTheScreenEdges) {
  const ScreenRect area = SCREEN_1280x800_BOTTOM_TASKBAR;
  const SnapCase cases[] = {
      {"follows the cursor at the grab offset", {400, 300}, {30, 10}, 25, area, {370, 290}},
      {"left edge 10 px in snaps to 0", {40, 300}, {30, 10}, 25, area, {0, 290}},
      {"left edge exactly s in stays", {55, 300}, {30, 10}, 25, area, {25, 290}},
      {"left edge s-1 out snaps", {6, 300}, {30, 10}, 25, area, {0, 290}},
      {"left edge exactly s out stays", {5, 300}, {30, 10}, 25, area, {-25, 290}},
      {"top edge near 0 snaps to 0", {400, 20}, {30, 10}, 25, area, {370, 0}},
      {"right edge near work area right lands on it", {1040, 300}, {30, 10}, 25, area, {1020, 290}},
      {"right edge just beyond work area right lands on it", {1070, 300}, {30, 10}, 25, area, {1020, 290}},
      {"right edge exactly s away stays", {1025, 300}, {30, 10}, 25, area, {995, 290}},
      {"bottom edge lands on the taskbar's top", {400, 740}, {30, 10}, 25, area, {370, 738}},
      {"bottom edge exactly s away stays", {400, 723}, {30, 10}, 25, area, {370, 713}},
      {"corner snaps both axes", {1045, 745}, {30, 10}, 25, area, {1020, 738}},
      {"right wins over left in a narrow work area", {10, 300}, {0, 10}, 25, {0, 0, 270, 770}, {10, 290}},
      {"bottom wins over top in a low work area", {400, 12}, {30, 10}, 25, {0, 0, 1280, 40}, {370, 8}},
      {"strength 0 never snaps", {31, 11}, {30, 10}, 0, area, {1, 1}},
      {"negative strength never snaps", {31, 11}, {30, 10}, -5, area, {1, 1}},
      {"monitor left of the primary keeps negative x", {-500, 300}, {30, 10}, 25, area, {-530, 290}},
      {"left snap is to screen 0, not to a left taskbar", {70, 300}, {30, 10}, 50, {60, 0, 1280, 800}, {0, 290}},
  };
  for (const SnapCase& c : cases) {
    const ScreenPoint got = SnapDragPosition(c.cursor, c.dragOffset, c.snapStrength, c.workArea);
    EXPECT_EQ(got.x, c.expected.x) << c.name;
    EXPECT_EQ(got.y, c.expected.y) << c.name;
  }
}

TEST(SnapDragPosition, HugeStrengthDoesNotOverflow) {
  const int32_t huge = std::numeric_limits<int32_t>::max();
  const ScreenPoint got = SnapDragPosition({400, 300}, {0, 0}, huge, SCREEN_1280x800_BOTTOM_TASKBAR);
  EXPECT_EQ(got.x, 1020);
  EXPECT_EQ(got.y, 738);
}

TEST(MoveBarIntoArea, MovesTheLeastDistanceIntoTheArea) {
  struct Case {
    const char* name;
    ScreenPoint topLeft;
    ScreenRect area;
    ScreenPoint expected;
  };
  const ScreenRect area = SCREEN_1280x800_BOTTOM_TASKBAR;
  const Case cases[] = {
      {"inside stays", {100, 100}, area, {100, 100}},
      {"beyond the bottom right", {5000, 5000}, area, {1020, 738}},
      {"beyond the top left", {-3000, -40}, area, {0, 0}},
      {"half over the right edge", {1200, 100}, area, {1020, 100}},
      {"onto a monitor left of the primary", {-9000, 100}, {-1920, 0, 0, 1040}, {-1920, 100}},
      {"area smaller than the bar", {500, 500}, {0, 0, 200, 20}, {0, 0}},
  };
  for (const Case& c : cases) {
    const ScreenPoint got = MoveBarIntoArea(c.topLeft, c.area);
    EXPECT_EQ(got.x, c.expected.x) << c.name;
    EXPECT_EQ(got.y, c.expected.y) << c.name;
  }
}

TEST(BarRectAt, HoldsFarEdgesAtTheEndOfTheCoordinateRange) {
  const int32_t last = std::numeric_limits<int32_t>::max();
  const ScreenRect normal = BarRectAt({-100, 50});
  EXPECT_EQ(normal.right, 160);
  EXPECT_EQ(normal.bottom, 82);
  const ScreenRect extreme = BarRectAt({last - 10, last});
  EXPECT_EQ(extreme.right, last);
  EXPECT_EQ(extreme.bottom, last);
}

TEST(AlphaFromPercent, TruncatesAndClamps) {
  struct Case {
    int32_t percent;
    uint8_t alpha;
  };
  const Case cases[] = {{100, 255}, {85, 216}, {78, 198}, {28, 71},   {10, 25},   {0, 0},
                        {1, 2},     {-1, 0},   {-400, 0}, {101, 255}, {1000, 255}};
  for (const Case& c : cases) EXPECT_EQ(AlphaFromPercent(c.percent), c.alpha) << c.percent;
}
