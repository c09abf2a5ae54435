#pragma once
// The table behind FoldForMatching, written by tools/make_fold_table.py into fold_table.cpp.
#include <cstddef>
#include <cstdint>

// A run of code points that fold, sorted by first and never overlapping. An entry per code
// point: what it folds to less the block's base, FOLD_EXPANSION plus the place of its
// expansion (none, or several characters), or FOLD_UNCHANGED.
struct FoldBlock {
  uint16_t first;
  uint16_t last;
  uint16_t at;  // where the run's entries start in FOLD_ENTRIES, or FOLD_DROPPED
  uint16_t base;
};

constexpr uint16_t FOLD_DROPPED = 0xFFFF;  // every code point of the run goes
constexpr uint8_t FOLD_EXPANSION = 0xF0;
constexpr uint8_t FOLD_UNCHANGED = 0xFF;

extern const FoldBlock FOLD_BLOCKS[];
extern const size_t FOLD_BLOCK_COUNT;
extern const uint8_t FOLD_ENTRIES[];
extern const char FOLD_EXPANSIONS[][4];  // NUL-ended UTF-8, the first empty
