#pragma once
// How well a typed line matches one name: the ranking's weights and the matching behind
// them, for catalog/ranking.cpp.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The weights, best first; every typed word must match a different word of the name, in
// order, and the weakest word's match gives the name's score unless the whole line does
// better. 0 is no match.
constexpr int SCORE_LEARNED = 1000;            // picked before for a line that started like this one
constexpr int SCORE_WHOLE_NAME = 600;          // the whole name typed ("firefox"), or a program's own ("winword")
constexpr int SCORE_NAME_START = 500;          // the name's start ("fire")
constexpr int SCORE_WORD_PREFIX = 400;         // a word's start ("code" in Visual Studio Code, "shell" in PowerShell)
constexpr int SCORE_WORD_INITIALS = 350;       // starts of words in a row ("vsc", "rdc", "vscode")
constexpr int SCORE_WORD_START_LETTERS = 300;  // a word's first letter, then others of it in order ("ms" for Microsoft)
constexpr int SCORE_WORD_INSIDE = 200;         // a piece inside a word ("fox")
// Letters in order inside one word ("ffx"); only where one word is typed, so that the words
// of a search phrase never catch on a long name by chance.
constexpr int SCORE_WORD_LETTERS = 100;

// More typed words than this read as a phrase, which matches nothing.
constexpr size_t MAX_TYPED_WORDS = 8;
// Only so much of a name takes part: enough for any name a menu shows.
constexpr size_t MAX_MATCHED_LENGTH = 128;

struct TypedLine {
  std::string line;     // FoldTypedText of what was typed
  std::string letters;  // the line without its blanks: every match holds them in this order
  std::string_view words[MAX_TYPED_WORDS];
  size_t wordCount = 0;
  uint32_t mask = 0;  // LetterMask(line)
};

// False where nothing can match: an empty line or one of too many words.
bool PrepareTypedLine(std::string_view typed, TypedLine& out);

// The score of a folded name (or file name), with the inner word starts of CatalogItem.
int ScoreName(const TypedLine& typed, std::string_view folded, uint32_t innerStarts);

// Whether the line is the program's own name, with or without ".exe".
bool IsProgramNameTyped(std::string_view line, std::string_view programName);
