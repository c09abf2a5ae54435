#pragma once
#include <string_view>

// Appends the built-in key words to keyEntryStore, "g" (the default web search) first,
// and seals them as built-in. Runs once, before the user's entries are loaded.
void AddBuiltinKeywords();

// Whether text is exactly the key of a built-in entry (letter case counts).
bool IsBuiltinKey(std::string_view text);
