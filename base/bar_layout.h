#pragma once
#include <cstdint>

// The bar at 96 dots per inch (100 %), from which every other scale is reckoned: Windows
// stretches nothing of it, so each of its sizes is made afresh at the scale of its monitor.
constexpr uint32_t BASE_DPI = 96;

// The window, which is also the size of a skin picture.
constexpr int32_t MAIN_WINDOW_WIDTH = 260;
constexpr int32_t MAIN_WINDOW_HEIGHT = 32;

// Where the command box lies on the bar, covering that part of the skin.
constexpr int32_t COMMAND_BOX_LEFT = 6;
constexpr int32_t COMMAND_BOX_TOP = 12;
constexpr int32_t COMMAND_BOX_WIDTH = 248;
constexpr int32_t COMMAND_BOX_HEIGHT = 16;

// The countdown's time, in a small font, near the bar's top right corner.
constexpr int32_t COUNTDOWN_LEFT_FROM_RIGHT = 64;
constexpr int32_t COUNTDOWN_TOP = 1;
constexpr int32_t COUNTDOWN_FONT_HEIGHT = -10;

// A length at fromDpi as long at toDpi, rounded half away from zero as the system's MulDiv
// rounds, and held within the 32-bit range.
int32_t ScaleBetweenDpis(int32_t value, uint32_t fromDpi, uint32_t toDpi);

inline int32_t ScaleToDpi(int32_t valueAt96, uint32_t dpi) {
  return ScaleBetweenDpis(valueAt96, BASE_DPI, dpi);
}

// The bar at one scale, in that scale's pixels; the command box's place is in the window.
struct BarLayout {
  uint32_t dpi;
  int32_t width;
  int32_t height;
  int32_t boxLeft;
  int32_t boxTop;
  int32_t boxWidth;
  int32_t boxHeight;
  int32_t countdownLeft;
  int32_t countdownTop;
  int32_t countdownFontHeight;
};

BarLayout BarLayoutAt(uint32_t dpi);
