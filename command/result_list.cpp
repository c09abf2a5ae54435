#include "command/result_list.h"

#include <algorithm>

#include "catalog/fold.h"
#include "command/arithmetic.h"
#include "command/command_text.h"
#include "command/entered_line.h"

ResultList resultList;

void MoveSelection(ResultList& list, int rows) {
  if (list.rows.empty()) return;
  const auto last = static_cast<ptrdiff_t>(list.rows.size() - 1);
  list.selected = static_cast<size_t>(std::clamp<ptrdiff_t>(static_cast<ptrdiff_t>(list.selected) + rows, 0, last));
}

bool LineTakesKeyWord(std::string_view line, const KeyEntryStore& store) {
  const std::string_view key = SplitCommandLine(line).key;
  return IsReservedWord(key) || store.FindByKey(key).has_value();
}

std::vector<ResultRow> ProgramRows(std::string_view line, const Catalog& catalog, const Picks& picks,
                                   ItemFilter filter) {
  std::vector<ResultRow> rows;
  for (const uint32_t item : RankCatalog(catalog, line, picks, MAX_CATALOG_ROWS, filter))
    rows.push_back({ResultKind::Program, item, std::string()});
  if (rows.empty())
    if (auto program = FindProgramLine(catalog, line, filter))
      rows.push_back({ResultKind::Program, program->index, std::move(program->parameters)});
  return rows;
}

std::vector<ResultRow> AnswerRows(std::string_view line, std::string_view decimalSeparator) {
  const auto result = EvaluateArithmetic(line, decimalSeparator);
  if (!result) return {};
  const bool number = result->kind == ArithmeticKind::Number;
  return {{ResultKind::Answer, 0, FormatArithmeticResult(*result, decimalSeparator), false, number}};
}

std::vector<ResultRow> EntryRows(std::string_view piece, const std::vector<PathEntry>& entries) {
  std::vector<ResultRow> rows;
  for (PathEntry& entry : MatchPathEntries(piece, entries, FoldForMatching))
    rows.push_back({ResultKind::Entry, 0, std::move(entry.name), entry.isFolder});
  return rows;
}
