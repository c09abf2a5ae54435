#include "catalog/catalog_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr size_t SMALLEST_ITEM_SIZE = 8 + 2 + 2 * RAW_ITEM_TEXT_COUNT;

void PutUint(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t offset;

  bool Uint(uint64_t& value, size_t bytes) {
    if (size - offset < bytes) return false;
    value = 0;
    for (size_t i = 0; i < bytes; ++i) value |= uint64_t{data[offset + i]} << (8 * i);
    offset += bytes;
    return true;
  }
  bool Text(std::string_view& text) {
    uint64_t length;
    if (!Uint(length, 2) || length > MAX_ITEM_TEXT_LENGTH || size - offset < length) return false;
    text = std::string_view(reinterpret_cast<const char*>(data + offset), static_cast<size_t>(length));
    offset += static_cast<size_t>(length);
    return true;
  }
  bool Item(NewItem& item) {
    uint64_t writeTime, kind, source;
    if (!Uint(writeTime, 8) || !Uint(kind, 1) || !Uint(source, 1)) return false;
    if (kind >= ITEM_KIND_COUNT || source >= ITEM_SOURCE_COUNT) return false;
    item.writeTime = writeTime;
    item.kind = static_cast<ItemKind>(kind);
    item.source = static_cast<ItemSource>(source);
    return Text(item.name) && Text(item.fileName) && Text(item.launch) && Text(item.target) && Text(item.arguments);
  }
};

}  // namespace

std::string EncodeCatalog(const Catalog& catalog) {
  std::string file(CATALOG_FILE_MAGIC, sizeof CATALOG_FILE_MAGIC);
  PutUint(file, CATALOG_FILE_VERSION, 4);
  PutUint(file, catalog.items.size(), 4);
  PutUint(file, 0, 4);  // the hash of what follows, once it is there
  file.reserve(CATALOG_FILE_HEADER_SIZE + catalog.text.size() + catalog.items.size() * SMALLEST_ITEM_SIZE);
  for (size_t i = 0; i < catalog.items.size(); ++i) {
    const CatalogItem& item = catalog.items[i];
    PutUint(file, item.writeTime, 8);
    PutUint(file, static_cast<uint8_t>(item.kind), 1);
    PutUint(file, static_cast<uint8_t>(item.source), 1);
    for (size_t t = 0; t < RAW_ITEM_TEXT_COUNT; ++t) {
      const std::string_view text = GetItemText(catalog, i, static_cast<ItemText>(t));
      PutUint(file, text.size(), 2);
      file.append(text);
    }
  }
  const uint32_t hash = WordHash(reinterpret_cast<const uint8_t*>(file.data()) + CATALOG_FILE_HEADER_SIZE,
                                 file.size() - CATALOG_FILE_HEADER_SIZE);
  for (size_t i = 0; i < 4; ++i) file[CATALOG_FILE_HEADER_SIZE - 4 + i] = static_cast<char>(hash >> (8 * i));
  return file;
}

std::optional<Catalog> DecodeCatalog(const uint8_t* data, size_t size) {
  if (size < CATALOG_FILE_HEADER_SIZE || size > MAX_CATALOG_FILE_SIZE) return std::nullopt;
  Reader reader = {data, size, 4};
  uint64_t version, count, hash;
  reader.Uint(version, 4), reader.Uint(count, 4), reader.Uint(hash, 4);
  if (std::memcmp(data, CATALOG_FILE_MAGIC, 4) != 0 || version != CATALOG_FILE_VERSION ||
      hash != WordHash(data + CATALOG_FILE_HEADER_SIZE, size - CATALOG_FILE_HEADER_SIZE) || count > MAX_CATALOG_ITEMS)
    return std::nullopt;

  CatalogBuilder builder;
  builder.keepDuplicates = true;
  // Beside its texts each item takes SMALLEST_ITEM_SIZE bytes: the catalog is made at its
  // size, with no slack to shed by copying.
  const size_t body = size - CATALOG_FILE_HEADER_SIZE;
  if (count > body / SMALLEST_ITEM_SIZE) return std::nullopt;
  builder.raw.items.reserve(static_cast<size_t>(count));
  builder.raw.text.reserve(body - static_cast<size_t>(count) * SMALLEST_ITEM_SIZE);
  for (uint64_t i = 0; i < count; ++i) {
    NewItem item;
    if (!reader.Item(item)) return std::nullopt;
    AddCatalogItem(builder, item);
  }
  if (reader.offset != size) return std::nullopt;
  return FinishCatalog(std::move(builder));
}
