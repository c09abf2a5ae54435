#pragma once
#include <windows.h>

// Lays the bar out for the scale dpi: the command box's place and font, the countdown's
// font and the skin are made afresh at that scale. The bar's own size and place are left
// to the caller, who moves it once.
void ScaleBar(UINT dpi);

// Makes the command box's font from the settings at dpi and hands it to the box, which
// lets go of the font before only then: that one is deleted after.
void RemakeEditFont(UINT dpi);
