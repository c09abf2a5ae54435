#pragma once
#include <cstddef>
#include <string_view>

// Whether bytes are well-formed UTF-8: no stray or overlong sequences, no surrogates,
// nothing beyond U+10FFFF. Plain ASCII is.
bool IsValidUtf8(std::string_view bytes);

// The length of the longest start of text, at most limit bytes, that ends between two
// characters of UTF-8: a cut there never leaves half a character behind.
size_t Utf8CutLength(std::string_view text, size_t limit);
