#include "catalog/ranking.h"

#include <algorithm>

#include "catalog/fold.h"
#include "catalog/match.h"

namespace {

// A match, ordered by one number: score, then the shorter name, then the pick count.
struct Candidate {
  uint64_t key;
  uint32_t index;
};

bool Better(const Candidate& a, const Candidate& b) {
  return a.key != b.key ? a.key > b.key : a.index < b.index;
}

uint64_t RankKey(int score, size_t nameLength, uint32_t pickCount) {
  return uint64_t(score) << 40 | uint64_t(0xFFFF - std::min<size_t>(nameLength, 0xFFFF)) << 24 |
         std::min<uint32_t>(pickCount, 0xFFFFFF);
}

// How often each item was picked, whatever was typed, by the hash of its launch text.
struct ItemPicks {
  uint32_t hash;
  uint32_t count;
  std::string_view item;
};

std::vector<ItemPicks> CountPicks(const Picks& picks) {
  std::vector<ItemPicks> counts;
  for (const PickRecord& record : picks.records) {
    auto same = std::find_if(counts.begin(), counts.end(), [&](const ItemPicks& c) { return c.item == record.item; });
    if (same != counts.end()) {
      same->count += record.count;
    } else {
      counts.push_back({LaunchHash(record.item), record.count, record.item});
    }
  }
  std::sort(counts.begin(), counts.end(), [](const ItemPicks& a, const ItemPicks& b) { return a.hash < b.hash; });
  return counts;
}

uint32_t PickCount(const std::vector<ItemPicks>& counts, uint32_t hash, std::string_view launch) {
  auto at =
      std::lower_bound(counts.begin(), counts.end(), hash, [](const ItemPicks& c, uint32_t h) { return c.hash < h; });
  for (; at != counts.end() && at->hash == hash; ++at)
    if (at->item == launch) return at->count;
  return 0;
}

int ScoreItem(const Catalog& catalog, uint32_t index, const TypedLine& typed) {
  const CatalogItem& item = catalog.items[index];
  // The folded texts, one after another: name, file name, program name.
  size_t at = item.foldedAt;
  const auto next = [&](ItemText which) {
    const std::string_view text(catalog.folded.data() + at, item.length[static_cast<size_t>(which)]);
    at += text.size();
    return text;
  };
  const std::string_view name = next(ItemText::FoldedName), fileName = next(ItemText::FoldedFileName);
  if (IsProgramNameTyped(typed.line, next(ItemText::ProgramName))) return SCORE_WHOLE_NAME;
  if (item.kind == ItemKind::PathProgram || (item.letters & typed.mask) != typed.mask) return 0;
  return std::max(ScoreName(typed, name, item.innerStarts), fileName.empty() ? 0 : ScoreName(typed, fileName, 0));
}

bool Accepted(const ItemFilter& filter, uint32_t index) {
  return !filter.accept || filter.accept(filter.context, index);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<uint32_t> RankCatalog(const Catalog& catalog, std::string_view typedText, const Picks& picks, size_t rows,
                                  ItemFilter filter) {
  std::vector<uint32_t> shown;
  TypedLine typed;
  if (rows == 0 || !PrepareTypedLine(typedText, typed)) return shown;
  const std::vector<ItemPicks> counts = CountPicks(picks);
  const PickRecord* learned = LearnedPick(picks, typed.line);
  const uint32_t learnedHash = learned ? LaunchHash(learned->item) : 0;

  std::vector<Candidate> found;
  for (uint32_t i = 0; i < catalog.items.size(); ++i) {
    int score = ScoreItem(catalog, i, typed);
    if (!score) continue;
    const CatalogItem& item = catalog.items[i];
    uint32_t pickCount = 0;
    if (!counts.empty()) {
      const std::string_view launch = GetItemText(catalog, i, ItemText::Launch);
      if (learned && item.launchHash == learnedHash && launch == learned->item) score = SCORE_LEARNED;
      pickCount = PickCount(counts, item.launchHash, launch);
    }
    found.push_back({RankKey(score, item.length[static_cast<size_t>(ItemText::FoldedName)], pickCount), i});
  }

  // Sorted only as far as the rows need, and further where the filter turns items away.
  for (size_t next = 0; shown.size() < rows && next < found.size();) {
    const size_t sorted = std::min(found.size(), next + rows - shown.size());
    std::partial_sort(found.begin() + next, found.begin() + sorted, found.end(), Better);
    for (; next < sorted; ++next)
      if (Accepted(filter, found[next].index)) shown.push_back(found[next].index);
  }
  return shown;
}

std::optional<ProgramLine> FindProgramLine(const Catalog& catalog, std::string_view line, ItemFilter filter) {
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  size_t end = start;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  if (end == start) return std::nullopt;
  const std::string word = FoldForMatching(line.substr(start, end - start));
  while (end < line.size() && IsBlank(line[end])) ++end;
  const std::string parameters(line.substr(end));

  for (const bool byName : {true, false}) {
    for (uint32_t i = 0; i < catalog.items.size(); ++i) {
      const bool named = byName ? GetItemText(catalog, i, ItemText::FoldedName) == word ||
                                      GetItemText(catalog, i, ItemText::FoldedFileName) == word
                                : IsProgramNameTyped(word, GetItemText(catalog, i, ItemText::ProgramName));
      if (named && IsProgramItem(catalog, i) && Accepted(filter, i)) return ProgramLine{i, parameters};
    }
  }
  return std::nullopt;
}
