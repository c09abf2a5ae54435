// A PNG file of 8-bit RGBA pixels, compressed by a small deflate of its own: fixed Huffman
// codes and greedy matches. Far from the smallest PNG, but flat artwork shrinks to a
// fraction, and the bytes depend on nothing but the pixels.
#pragma once
#include <cstdint>
#include <vector>

// rgba: width × height pixels, top row first, 4 bytes each (red, green, blue, alpha).
std::vector<std::uint8_t> EncodePng(const std::vector<std::uint8_t>& rgba, int width, int height);
