#include "catalog/picks.h"

#include <algorithm>

#include "base/utf8.h"
#include "catalog/fold.h"

namespace {

constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

// UTF-8, so that it folds the same when read again, without what ends a field or a line.
bool FitsLine(std::string_view text) {
  return !text.empty() && text.find_first_of(std::string_view("\t\r\n\0", 4)) == std::string_view::npos &&
         IsValidUtf8(text);
}

// A count as written: decimal digits only, 1 to MAX_PICK_COUNT.
uint32_t ParseCount(std::string_view digits) {
  if (digits.empty() || digits.size() > 6) return 0;
  uint32_t count = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    count = count * 10 + static_cast<uint32_t>(c - '0');
  }
  return count;
}

bool SameRecord(const PickRecord& record, std::string_view typed, std::string_view item) {
  return record.typed == typed && record.item == item;
}

}  // namespace

void RecordPick(Picks& picks, std::string_view typedLine, std::string_view itemLaunch) {
  std::string typed = FoldTypedText(typedLine);
  if (!FitsLine(typed) || !FitsLine(itemLaunch)) return;
  auto& records = picks.records;
  auto found = std::find_if(records.begin(), records.end(),
                            [&](const PickRecord& record) { return SameRecord(record, typed, itemLaunch); });
  if (found == records.end()) {
    records.insert(records.begin(), {std::move(typed), std::string(itemLaunch), 1});
    if (records.size() > MAX_PICK_RECORDS) records.pop_back();
    return;
  }
  found->count = std::min(found->count + 1, MAX_PICK_COUNT);
  for (auto at = found; at != records.begin(); --at) std::swap(*at, *(at - 1));
}

const PickRecord* LearnedPick(const Picks& picks, std::string_view foldedLine) {
  if (foldedLine.empty()) return nullptr;
  const PickRecord* best = nullptr;
  for (const PickRecord& record : picks.records)
    if (record.typed.compare(0, foldedLine.size(), foldedLine) == 0 && (!best || record.count > best->count))
      best = &record;
  return best;
}

std::string EncodePicks(const Picks& picks) {
  std::string text = std::string(PICKS_FILE_HEADER) + "\r\n";
  for (const PickRecord& record : picks.records)
    text.append(std::to_string(record.count))
        .append("\t")
        .append(record.typed)
        .append("\t")
        .append(record.item)
        .append("\r\n");
  return text;
}

Picks DecodePicks(std::string_view text) {
  Picks picks;
  if (text.size() > MAX_PICKS_FILE_SIZE) return picks;
  if (text.substr(0, UTF8_BOM.size()) == UTF8_BOM) text.remove_prefix(UTF8_BOM.size());
  bool header = true;
  for (size_t start = 0; start < text.size() && picks.records.size() < MAX_PICK_RECORDS;) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (header) {
      if (line != PICKS_FILE_HEADER) return picks;
      header = false;
      continue;
    }
    const size_t tab = line.find('\t');
    const size_t secondTab = tab == std::string_view::npos ? tab : line.find('\t', tab + 1);
    if (secondTab == std::string_view::npos) continue;
    const uint32_t count = ParseCount(line.substr(0, tab));
    const std::string typed = FoldTypedText(line.substr(tab + 1, secondTab - tab - 1));
    const std::string_view item = line.substr(secondTab + 1);
    if (!count || !FitsLine(typed) || !FitsLine(item)) continue;
    if (std::any_of(picks.records.begin(), picks.records.end(),
                    [&](const PickRecord& record) { return SameRecord(record, typed, item); }))
      continue;
    picks.records.push_back({typed, std::string(item), count});
  }
  return picks;
}
