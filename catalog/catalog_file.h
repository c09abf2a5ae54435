#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "catalog/catalog.h"

// "catalog.dat": the last catalog, saved so that the bar finds programs from its start,
// before the scan is done. Little-endian, without padding: a 16-byte header of
// CATALOG_FILE_MAGIC, the version (uint32, 1), the item count (uint32) and the WordHash
// (uint32) of the body that follows; per item the write time (uint64), kind and
// source (a byte each), then name, file name, launch, target and arguments, each a uint16
// length and that many bytes of UTF-8.
constexpr char CATALOG_FILE_NAME[] = "catalog.dat";
constexpr char CATALOG_FILE_MAGIC[4] = {'P', 'M', 'C', 'T'};
constexpr uint32_t CATALOG_FILE_VERSION = 1;
constexpr size_t CATALOG_FILE_HEADER_SIZE = 16;
constexpr size_t MAX_CATALOG_FILE_SIZE = 64 * 1024 * 1024;

// The file's bytes.
std::string EncodeCatalog(const Catalog& catalog);

// The catalog the file holds, or none where anything is amiss (another magic or version,
// a wrong hash, a file cut short or too long, an item or text out of bounds): the caller
// then scans afresh and says nothing.
std::optional<Catalog> DecodeCatalog(const uint8_t* data, size_t size);
