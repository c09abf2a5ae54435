#pragma once
#include <windows.h>

// The bar's skin: appState.skinPicture as loaded, appState.skinDC the same at the bar's
// scale (appState.barLayout), which the bar paints from. The scaled skin is made once per
// scale, never at a paint.

// Makes picture, a skin as loaded, the bar's skin; the one before is deleted.
void UseSkinPicture(HBITMAP picture);

// Makes the skin at the bar's scale afresh, once that has changed. At 96 dpi it is the
// picture itself; at other scales Pellomar's own skin is drawn at the bar's size, and any
// other picture is stretched to it.
void ScaleSkin();

// Deletes the skin's device context and its bitmaps.
void ReleaseSkin();
