// Feeds arbitrary bytes to the reader of "picks.txt": it must never read past the data,
// keep at most MAX_PICK_RECORDS records that a pick could have made, and what it keeps
// must survive a save and a second load unchanged.
#include "catalog/fold.h"
#include "catalog/picks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Picks picks = DecodePicks({reinterpret_cast<const char*>(data), size});
  if (picks.records.size() > MAX_PICK_RECORDS) __builtin_trap();
  for (const PickRecord& record : picks.records)
    if (record.count == 0 || record.count > MAX_PICK_COUNT || FoldTypedText(record.typed) != record.typed)
      __builtin_trap();

  const std::string saved = EncodePicks(picks);
  const Picks reread = DecodePicks(saved);
  if (EncodePicks(reread) != saved || reread.records.size() != picks.records.size()) __builtin_trap();
  return 0;
}
