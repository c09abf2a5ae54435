#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/picks.h"
#include "catalog/ranking.h"
#include "keys/key_entry_store.h"

// The list under the bar: what it shows for the line in the command box, and the row
// selected, which is what Enter runs. The command box keeps it up to date at every
// change of its text; the bar draws it as it is.

enum class ResultKind : uint8_t {
  Program,  // an item of the catalog of programs
};

struct ResultRow {
  ResultKind kind;
  uint32_t item;           // a program's in the catalog
  std::string parameters;  // what a program is given: the words typed after its name
};

struct ResultList {
  std::string line;             // the box's text the rows are for
  std::vector<ResultRow> rows;  // best first; none, and the list is not shown
  size_t selected = 0;
  bool dismissed = false;  // Esc closed the list, until the line changes
};

extern ResultList resultList;

inline bool ResultsShown(const ResultList& list) {
  return !list.rows.empty() && !list.dismissed;
}

// Moves the selection by this many rows, up for a negative count, stopping at either end.
void MoveSelection(ResultList& list, int rows);

// Whether the line's first word is for the key words: a reserved word ("w", "x", "sys",
// "sysoff") or a key word of the store, built-in or the user's. Such a line runs as it
// always did, and lists no program.
bool LineTakesKeyWord(std::string_view line, const KeyEntryStore& store);

// The programs a line (UTF-8) that takes no key word may run, best first: those whose
// names match it, or else the program whose name it begins with, given the words after.
std::vector<ResultRow> ProgramRows(std::string_view line, const Catalog& catalog, const Picks& picks,
                                   ItemFilter filter = {});
