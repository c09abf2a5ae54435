// A PNG file of 8-bit RGBA pixels, compressed by a small deflate of its own: greedy
// matches, then Huffman codes made for them. Not the smallest PNG, but flat artwork shrinks
// to a fraction, and the bytes depend on nothing but the pixels.
#pragma once
#include <cstdint>
#include <vector>

// rgba: width × height pixels, top row first, 4 bytes each (red, green, blue, alpha).
std::vector<std::uint8_t> EncodePng(const std::vector<std::uint8_t>& rgba, int width, int height);
