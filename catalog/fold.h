#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Text as matching sees it, so that letter case and accents never matter: UTF-8 in, UTF-8
// out. Latin, Greek and Cyrillic letters lose case and diacritics ("É" and "é" are "e",
// "ß" is "ss", "Ø" is "o", "Ё" is "е", "Ά" is "α"), full-width ASCII is ASCII ("Ａ" is
// "a"), combining marks go, typographic dashes and quotes are ASCII ones and trade marks
// go. Every other character (CJK, kana, symbols) is kept, and so is every byte that is no
// well-formed UTF-8. Folding a folded text changes nothing.
std::string FoldForMatching(std::string_view utf8);

// Appends the folding of the character at text[at] (at < text.size()) to out; returns how
// many bytes of text it took, at least 1.
size_t FoldCharacter(std::string_view text, size_t at, std::string& out);

// A typed line as the ranking and the picks see it: folded, its blanks (spaces, tabs, and
// what folds to a space) trimmed and each run of them one space.
std::string FoldTypedText(std::string_view typed);
