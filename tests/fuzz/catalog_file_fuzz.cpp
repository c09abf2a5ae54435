// Feeds arbitrary bytes to the reader of "catalog.dat", whole and as a body behind a header
// made to fit it (so that the hash lets the fuzzer past): it must never read past the data,
// and a catalog it takes must be saved to a file it takes again as it is. The names taken
// are then searched, which puts the matching to arbitrary names.
#include "catalog/catalog_file.h"
#include "catalog/ranking.h"

namespace {

void Check(const std::vector<uint8_t>& file) {
  const std::optional<Catalog> read = DecodeCatalog(file.data(), file.size());
  if (!read) return;
  const std::string saved = EncodeCatalog(*read);
  const std::optional<Catalog> reread = DecodeCatalog(reinterpret_cast<const uint8_t*>(saved.data()), saved.size());
  if (!reread || EncodeCatalog(*reread) != saved) __builtin_trap();
  for (const char* typed : {"a", "vsc", "ms wo", "e\xCC\x81 x"})
    for (const uint32_t index : RankCatalog(*read, typed, {}, MAX_CATALOG_ROWS))
      if (index >= read->items.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Check(std::vector<uint8_t>(data, data + size));
  if (size == 0) return 0;
  // The first byte as the item count, the rest as the body.
  std::vector<uint8_t> file = {'P', 'M', 'C', 'T', 1, 0, 0, 0, data[0], 0, 0, 0};
  const uint32_t hash = WordHash(data + 1, size - 1);
  for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(hash >> 8 * i));
  file.insert(file.end(), data + 1, data + size);
  Check(file);
  return 0;
}
