#pragma once
// The table behind FoldForMatching, written by tools/make_fold_table.py into fold_table.cpp.
#include <cstddef>
#include <cstdint>

// A run of code points that fold, sorted by first and never overlapping.
struct FoldBlock {
  uint16_t first;
  uint16_t last;
  uint16_t at;  // where the run's entries start in FOLD_ENTRIES, or FOLD_DROPPED
};

constexpr uint16_t FOLD_DROPPED = 0xFFFF;    // every code point of the run goes
constexpr uint16_t FOLD_EXPANSION = 0xF000;  // an entry from here on: 0xF000 + offset in FOLD_EXPANSIONS

extern const FoldBlock FOLD_BLOCKS[];
extern const size_t FOLD_BLOCK_COUNT;
extern const uint16_t FOLD_ENTRIES[];
extern const char FOLD_EXPANSIONS[];  // NUL-ended UTF-8 texts, one after another
