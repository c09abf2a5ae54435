#include "catalog/ranking.h"

#include <algorithm>

#include "catalog/fold.h"
#include "catalog/match.h"

namespace {

// A match as one number that sorts the best first: the score, then the shorter name, then
// the more picks, then the item added first. Plain numbers, as the catalog sorts its own,
// so that the program carries the code of one sort.
constexpr int KEY_SCORE_SHIFT = 36, KEY_LENGTH_SHIFT = 28, KEY_PICKS_SHIFT = 18;
constexpr uint64_t KEY_INDEX_MASK = (uint64_t{1} << KEY_PICKS_SHIFT) - 1;
static_assert(SCORE_LEARNED < 1024 && MAX_CATALOG_ITEMS <= KEY_INDEX_MASK + 1, "the key's fields hold them");

uint64_t RankKey(int score, size_t nameLength, uint32_t pickCount, uint32_t index) {
  return uint64_t(1023 - score) << KEY_SCORE_SHIFT | uint64_t(std::min<size_t>(nameLength, 255)) << KEY_LENGTH_SHIFT |
         uint64_t(1023 - std::min<uint32_t>(pickCount, 1023)) << KEY_PICKS_SHIFT | index;
}

// The records of picks by the hash of their item: hash << 32 | record's place, sorted.
std::vector<uint64_t> PicksByItem(const Picks& picks) {
  std::vector<uint64_t> byItem;
  for (uint32_t i = 0; i < picks.records.size(); ++i)
    byItem.push_back(uint64_t{LaunchHash(picks.records[i].item)} << 32 | i);
  std::sort(byItem.begin(), byItem.end());
  return byItem;
}

// How often the item was picked, whatever was typed.
uint32_t PickCount(const Picks& picks, const std::vector<uint64_t>& byItem, uint32_t hash, std::string_view launch) {
  uint32_t count = 0;
  for (auto at = std::lower_bound(byItem.begin(), byItem.end(), uint64_t{hash} << 32);
       at != byItem.end() && *at >> 32 == hash; ++at) {
    const PickRecord& record = picks.records[static_cast<uint32_t>(*at)];
    if (record.item == launch) count += record.count;
  }
  return count;
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
  const std::vector<uint64_t> picked = PicksByItem(picks);
  const PickRecord* learned = LearnedPick(picks, typed.line);
  const uint32_t learnedHash = learned ? LaunchHash(learned->item) : 0;

  std::vector<uint64_t> found;
  for (uint32_t i = 0; i < catalog.items.size(); ++i) {
    int score = ScoreItem(catalog, i, typed);
    if (!score) continue;
    const CatalogItem& item = catalog.items[i];
    uint32_t pickCount = 0;
    if (!picked.empty()) {
      const std::string_view launch = GetItemText(catalog, i, ItemText::Launch);
      if (learned && item.launchHash == learnedHash && launch == learned->item) score = SCORE_LEARNED;
      pickCount = PickCount(picks, picked, item.launchHash, launch);
    }
    found.push_back(RankKey(score, item.length[static_cast<size_t>(ItemText::FoldedName)], pickCount, i));
  }

  // Sorted only as far as the rows need, and further where the filter turns items away.
  for (size_t next = 0; shown.size() < rows && next < found.size();) {
    const size_t sorted = std::min(found.size(), next + rows - shown.size());
    std::partial_sort(found.begin() + next, found.begin() + sorted, found.end());
    for (; next < sorted; ++next) {
      const uint32_t index = static_cast<uint32_t>(found[next] & KEY_INDEX_MASK);
      if (Accepted(filter, index)) shown.push_back(index);
    }
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
