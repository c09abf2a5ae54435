#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/picks.h"
#include "catalog/ranking.h"
#include "command/typed_path.h"
#include "keys/key_entry_store.h"

// The list under the bar: what it shows for the line in the command box, and the row
// selected, which is what Enter runs. The command box keeps it up to date at every
// change of its text; the bar draws it as it is.

enum class ResultKind : uint8_t {
  Program,  // an item of the catalog of programs
  Answer,   // the result of a line that is arithmetic
  Entry,    // a file or folder of the folder a typed path names
};

struct ResultRow {
  ResultKind kind;
  uint32_t item = 0;  // a program's in the catalog
  // A program's parameters (the words typed after its name), an answer as shown (a number,
  // or a word for what is none), an entry's name.
  std::string text;
  bool folder = false;  // an entry that is a folder
  bool number = false;  // an answer that is a number, which Enter copies
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

// The one row of a line (UTF-8) that is arithmetic, in the user's decimal separator; none
// for any other line.
std::vector<ResultRow> AnswerRows(std::string_view line, std::string_view decimalSeparator);

// The rows of a folder's entries whose names start with the piece typed after its last
// separator, folders first.
std::vector<ResultRow> EntryRows(std::string_view piece, const std::vector<PathEntry>& entries);
