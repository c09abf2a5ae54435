#include "base/skin_win.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/app_state_win.h"
#include "base/bar_layout.h"
#include "base/default_skin.h"

namespace {

// A 32-bit bitmap, top row first, whose pixels the program can write.
BITMAPINFO TopDownInfo(int32_t width, int32_t height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Whether the picture is Pellomar's own skin as shipped, pixel for pixel; a picture
// saved over sk_default.bmp is the user's own and is stretched as such. The picture must
// not be selected into a device context.
bool IsDefaultSkin(HBITMAP picture) {
  BITMAP size = {};
  GetObjectA(picture, sizeof size, &size);
  if (size.bmWidth != MAIN_WINDOW_WIDTH || size.bmHeight != MAIN_WINDOW_HEIGHT) return false;
  const BarLayout base = BarLayoutAt(BASE_DPI);
  std::vector<uint32_t> shown(static_cast<size_t>(base.width * base.height)), drawn(shown.size());
  BITMAPINFO info = TopDownInfo(base.width, base.height);
  const HDC screen = GetDC(NULL);
  const int rows = GetDIBits(screen, picture, 0, base.height, shown.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(NULL, screen);
  DrawDefaultSkin(base, drawn.data());
  // The fourth byte of each pixel is not part of its colour.
  return rows == base.height && std::equal(shown.begin(), shown.end(), drawn.begin(),
                                           [](uint32_t a, uint32_t b) { return ((a ^ b) & 0xFFFFFF) == 0; });
}

// Halftone, so that a stretched picture is smoothed rather than its pixels doubled here
// and there.
void StretchPictureInto(HDC scaled, HBITMAP picture, const BarLayout& layout) {
  const HDC source = CreateCompatibleDC(scaled);
  const HGDIOBJ before = SelectObject(source, picture);
  SetStretchBltMode(scaled, HALFTONE);
  SetBrushOrgEx(scaled, 0, 0, NULL);
  StretchBlt(scaled, 0, 0, layout.width, layout.height, source, 0, 0, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, SRCCOPY);
  SelectObject(source, before);
  DeleteDC(source);
}

}  // namespace

void UseSkinPicture(HBITMAP picture) {
  if (!appState.skinDC) appState.skinDC = CreateCompatibleDC(NULL);
  const HBITMAP replaced = std::exchange(appState.skinPicture, picture);
  ScaleSkin();
  DeleteObject(replaced);
}

void ScaleSkin() {
  const BarLayout& layout = appState.barLayout;
  HBITMAP copy = NULL;
  void* pixels = NULL;
  if (layout.dpi != BASE_DPI) {
    const BITMAPINFO info = TopDownInfo(layout.width, layout.height);
    copy = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pixels, NULL, 0);
  }
  // Selecting the copy lets go of the picture, which is read below.
  SelectObject(appState.skinDC, copy ? copy : appState.skinPicture);
  DeleteObject(std::exchange(appState.skinCopy, copy));
  if (!copy) return;
  if (IsDefaultSkin(appState.skinPicture))
    DrawDefaultSkin(layout, static_cast<uint32_t*>(pixels));
  else
    StretchPictureInto(appState.skinDC, appState.skinPicture, layout);
}

void ReleaseSkin() {
  DeleteDC(appState.skinDC);
  DeleteObject(appState.skinCopy);
  DeleteObject(appState.skinPicture);
}
