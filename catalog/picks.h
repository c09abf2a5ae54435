#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The bar learns from what the user picks: each pick is remembered with the line typed at
// that moment, so that a later line with the same start puts that item first ("f" after
// "firefox" was typed and Firefox picked), and counted for the item, which breaks ties.

constexpr char PICKS_FILE_NAME[] = "picks.txt";
constexpr size_t MAX_PICK_RECORDS = 300;  // the least recently used go
constexpr size_t MAX_PICKS_FILE_SIZE = 256 * 1024;
constexpr uint32_t MAX_PICK_COUNT = 999999;

struct PickRecord {
  std::string typed;  // FoldTypedText of the line when the item was picked
  std::string item;   // the item's launch text, its identity
  uint32_t count;     // how often, at least 1
};

struct Picks {
  std::vector<PickRecord> records;  // most recently used first
};

// Counts a pick and moves its record to the front. A line that folds to nothing, and texts
// that a line of the file cannot hold (tab, line break, NUL, what is not UTF-8), are not
// recorded.
void RecordPick(Picks& picks, std::string_view typedLine, std::string_view itemLaunch);

// Of the records whose line starts with the folded line given, the one picked most often,
// then the most recent; none where the line is empty or none starts so.
const PickRecord* LearnedPick(const Picks& picks, std::string_view foldedLine);

// "picks.txt": UTF-8 text, lines ended by CR LF. The first line is PICKS_FILE_HEADER; then
// one record per line, most recent first: count, tab, typed line, tab, item.
constexpr char PICKS_FILE_HEADER[] = "Pellomar picks 1";
std::string EncodePicks(const Picks& picks);

// Reads what is sound: a line that is not a record (or repeats one) is skipped, records
// beyond MAX_PICK_RECORDS are dropped. A file without the header (after a UTF-8 BOM an
// editor may have put there), or larger than MAX_PICKS_FILE_SIZE, gives no picks.
Picks DecodePicks(std::string_view text);
