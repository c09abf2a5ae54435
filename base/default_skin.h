#pragma once
#include <cstdint>

#include "base/bar_layout.h"

// Pellomar's own skin, drawn for the bar as laid out at any scale: its lines are whole
// pixels thick (one per 96 dpi, at least one), its places and lengths are the layout's, so
// it stays sharp where a stretched picture would blur. At 96 dpi it is sk_default.bmp.
// pixels takes layout.width × layout.height values, top row first, each 0x00RRGGBB as a
// 32-bit Windows bitmap keeps it.
void DrawDefaultSkin(const BarLayout& layout, uint32_t* pixels);
