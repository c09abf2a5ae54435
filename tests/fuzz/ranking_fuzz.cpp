// Folds arbitrary bytes and searches with them: the first line is what is typed, the other
// lines are the names of a catalog. Folding must never read past the text, and folding a
// folded UTF-8 text must change nothing (where stray bytes are kept, a mark that goes may
// bring two of them together); the search must give rows of that catalog only.
#include <algorithm>
#include <string>

#include "base/utf8.h"
#include "catalog/fold.h"
#include "catalog/ranking.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string folded = FoldForMatching(text);
  if (IsValidUtf8(text) && FoldForMatching(folded) != folded) __builtin_trap();

  const size_t firstLine = std::min(text.find('\n'), text.size());
  CatalogBuilder builder;
  for (size_t start = firstLine + 1; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view name = text.substr(start, end - start);
    const std::string launch = std::to_string(start);
    AddCatalogItem(builder, {name, "", launch, name, "", 0, ItemKind::Shortcut, ItemSource::UserStartMenu});
    start = end + 1;
  }
  const Catalog catalog = FinishCatalog(std::move(builder));
  Picks picks;
  RecordPick(picks, text.substr(0, firstLine / 2), std::to_string(firstLine + 1));
  for (const uint32_t index : RankCatalog(catalog, text.substr(0, firstLine), picks, MAX_CATALOG_ROWS))
    if (index >= catalog.items.size()) __builtin_trap();
  FindProgramLine(catalog, text.substr(0, firstLine));
  return 0;
}
