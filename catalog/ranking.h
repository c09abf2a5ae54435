#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/picks.h"

// Finding a program by a few letters: "fire" for Firefox, "vsc" for Visual Studio Code.
// The weights, and what each means, are in catalog/match.h.

constexpr size_t MAX_CATALOG_ROWS = 8;  // the rows the list under the bar shows

// Asked, best first, whether an item may be shown: the window's thread passes over one whose
// target is gone. It is asked only about items that would make it into the rows.
struct ItemFilter {
  bool (*accept)(void* context, uint32_t index) = nullptr;
  void* context = nullptr;
};

// The items that match the typed line, best first, at most rows of them. Best: the item
// picked before for a line starting like this one (see LearnedPick); then the whole name
// typed, or a program's own name; the name's start; starts of its words or its initials;
// a piece inside a word; letters in order inside one word. Among equals the shorter name
// goes first, then the one picked more often, then the one added first. Each typed word
// must match a different word of the name (or of the shortcut's file name), in order;
// letter case and accents never matter. A PATH program matches only by its whole name.
std::vector<uint32_t> RankCatalog(const Catalog& catalog, std::string_view typed, const Picks& picks, size_t rows,
                                  ItemFilter filter = {});

struct ProgramLine {
  uint32_t index;
  std::string parameters;  // the rest of the line after the blanks that follow the first word
};

// A line of a program's name followed by what to give it ("notepad readme.txt"): the first
// program item (IsProgramItem) whose name or file name is the line's first word, letter case
// and accents aside; failing that the first whose program name it is, with or without
// ".exe" ("winword report.doc"). The parameters may be empty.
std::optional<ProgramLine> FindProgramLine(const Catalog& catalog, std::string_view line, ItemFilter filter = {});
