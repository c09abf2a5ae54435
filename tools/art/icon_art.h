// Pellomar's icon, the bar in miniature, drawn for one size so that it is sharp there:
// straight edges fall on whole pixels, curves and slants are smoothed by coverage.
#pragma once
#include <cstdint>
#include <vector>

// size × size pixels, top row first, 4 bytes each: red, green, blue and straight alpha.
std::vector<std::uint8_t> DrawIcon(int size);
