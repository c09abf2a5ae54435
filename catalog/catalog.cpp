#include "catalog/catalog.h"

#include <algorithm>
#include <cstring>

#include "base/utf8.h"
#include "catalog/fold.h"

namespace {

static_assert(sizeof(CatalogItem) == 48, "the memory per item counts on it");

const char* const PROGRAM_EXTENSIONS[] = {".exe", ".com", ".bat", ".cmd"};

int SourceRank(ItemSource source) {
  switch (source) {
    case ItemSource::UserStartMenu:
    case ItemSource::CommonStartMenu:
      return 0;
    case ItemSource::UserDesktop:
    case ItemSource::PublicDesktop:
      return 1;
    case ItemSource::AppPaths:
      return 2;
    case ItemSource::Path:
      return 3;
    case ItemSource::Packaged:
      return 4;
  }
  return 5;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  for (size_t i = 0; i < ending.size(); ++i)
    if (AsciiLower(text[text.size() - ending.size() + i]) != ending[i]) return false;
  return true;
}

bool HasProgramExtension(std::string_view path) {
  for (const char* extension : PROGRAM_EXTENSIONS)
    if (EndsWithNoCase(path, extension)) return true;
  return false;
}

// The program's own name, folded: a PATH program's name, or the file name of a target run
// without arguments, both without their extension.
std::string ProgramName(const Catalog& raw, size_t index) {
  const CatalogItem& item = raw.items[index];
  std::string_view name = GetItemText(raw, index, ItemText::Target);
  if (item.kind == ItemKind::PathProgram) {
    name = GetItemText(raw, index, ItemText::Name);
  } else if (!HasProgramExtension(name) || !GetItemText(raw, index, ItemText::Arguments).empty()) {
    return {};
  }
  const size_t slash = name.find_last_of("\\/");
  if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
  if (HasProgramExtension(name)) name.remove_suffix(4);
  return FoldForMatching(name);
}

// Folds the name as FoldForMatching does, marking where a capital follows a small letter.
uint32_t FoldName(std::string_view name, std::string& out) {
  uint32_t innerStarts = 0;
  bool afterSmall = false;
  for (size_t at = 0; at < name.size();) {
    const char c = name[at];
    if (afterSmall && c >= 'A' && c <= 'Z' && out.size() < 32) innerStarts |= uint32_t{1} << out.size();
    afterSmall = c >= 'a' && c <= 'z';
    at += FoldCharacter(name, at, out);
  }
  return innerStarts;
}

void AppendText(std::string& text, std::string_view part, uint16_t& length) {
  length = static_cast<uint16_t>(Utf8CutLength(part, MAX_ITEM_TEXT_LENGTH));
  text.append(part.substr(0, length));
}

// Items that run the same thing share a key: the target, expanded where it can be and with
// ASCII letter case aside, and the arguments; for an item without a target, its launch.
std::string SameThingKey(const Catalog& raw, size_t index, ExpandText expand) {
  const std::string_view target = GetItemText(raw, index, ItemText::Target);
  if (target.empty()) return std::string(GetItemText(raw, index, ItemText::Launch));
  std::string key = expand ? expand(target) : std::string(target);
  for (char& c : key) c = AsciiLower(c);
  key += '\0';
  key.append(GetItemText(raw, index, ItemText::Arguments));
  return key;
}

// FNV-1a over the bytes, going on from hash.
uint64_t HashBytes(uint64_t hash, std::string_view bytes, bool asciiLower) {
  for (const char c : bytes) hash = (hash ^ static_cast<uint8_t>(asciiLower ? AsciiLower(c) : c)) * 1099511628211u;
  return hash;
}

// The hash of SameThingKey, made without it where nothing is to be expanded.
uint64_t SameThingHash(const Catalog& raw, size_t index, ExpandText expand) {
  const uint64_t BASIS = 14695981039346656037u;
  const std::string_view target = GetItemText(raw, index, ItemText::Target);
  if (target.empty()) return HashBytes(BASIS, GetItemText(raw, index, ItemText::Launch), false);
  const std::string expanded = expand ? expand(target) : std::string();
  const uint64_t hash = HashBytes(BASIS, expand ? std::string_view(expanded) : target, true);
  return HashBytes(HashBytes(hash, std::string_view("", 1), false), GetItemText(raw, index, ItemText::Arguments),
                   false);
}

// Of the items with the same key, the one of the earliest source, and the first among
// equals. Sorted by the keys' hashes, keys are compared whole only where hashes agree.
std::vector<uint8_t> KeptItems(const Catalog& raw, ExpandText expand) {
  const uint32_t count = static_cast<uint32_t>(raw.items.size());
  // hash << 32 | index, sorted: the items of a key in a run, in the order they were added.
  std::vector<uint64_t> byHash(count);
  for (uint32_t i = 0; i < count; ++i) byHash[i] = (SameThingHash(raw, i, expand) & 0xFFFFFFFF00000000u) | i;
  std::sort(byHash.begin(), byHash.end());
  std::vector<uint8_t> kept(count, 1);
  for (uint32_t run = 0, end; run < count; run = end) {
    for (end = run + 1; end < count && byHash[end] >> 32 == byHash[run] >> 32;) ++end;
    for (uint32_t a = run + 1; a < end; ++a) {
      const uint32_t later = static_cast<uint32_t>(byHash[a]);
      for (uint32_t b = run; b < a; ++b) {
        const uint32_t earlier = static_cast<uint32_t>(byHash[b]);
        if (!kept[earlier] || SameThingKey(raw, earlier, expand) != SameThingKey(raw, later, expand)) continue;
        const bool better = SourceRank(raw.items[later].source) < SourceRank(raw.items[earlier].source);
        kept[better ? earlier : later] = 0;
        break;
      }
    }
  }
  return kept;
}

}  // namespace

std::string_view GetItemText(const Catalog& catalog, size_t index, ItemText which) {
  const CatalogItem& item = catalog.items[index];
  const size_t field = static_cast<size_t>(which);
  const bool raw = field < RAW_ITEM_TEXT_COUNT;
  size_t at = raw ? item.textAt : item.foldedAt;
  for (size_t i = raw ? 0 : RAW_ITEM_TEXT_COUNT; i < field; ++i) at += item.length[i];
  return std::string_view(raw ? catalog.text : catalog.folded).substr(at, item.length[field]);
}

bool IsProgramItem(const Catalog& catalog, size_t index) {
  const ItemKind kind = catalog.items[index].kind;
  return kind == ItemKind::PathProgram || kind == ItemKind::AppPath ||
         HasProgramExtension(GetItemText(catalog, index, ItemText::Target));
}

size_t CatalogMemory(const Catalog& catalog) {
  return sizeof catalog + catalog.items.capacity() * sizeof(CatalogItem) + catalog.text.capacity() +
         catalog.folded.capacity();
}

void AddCatalogItem(CatalogBuilder& builder, const NewItem& item) {
  Catalog& raw = builder.raw;
  if (raw.items.size() >= MAX_CATALOG_ITEMS) return;
  CatalogItem added{};
  added.writeTime = item.writeTime;
  added.textAt = static_cast<uint32_t>(raw.text.size());
  added.kind = item.kind;
  added.source = item.source;
  const std::string_view texts[RAW_ITEM_TEXT_COUNT] = {item.name, item.fileName, item.launch, item.target,
                                                       item.arguments};
  for (size_t i = 0; i < RAW_ITEM_TEXT_COUNT; ++i) AppendText(raw.text, texts[i], added.length[i]);
  raw.items.push_back(added);
}

Catalog FinishCatalog(CatalogBuilder&& builder, ExpandText expand) {
  // Made in the builder's own buffers: the items kept, and their texts, move toward the
  // start over those dropped, and nothing is copied whole.
  Catalog catalog = std::move(builder.raw);
  const std::vector<uint8_t> kept =
      builder.keepDuplicates ? std::vector<uint8_t>(catalog.items.size(), 1) : KeptItems(catalog, expand);
  size_t count = 0, textEnd = 0;
  std::string folded;
  for (size_t i = 0; i < catalog.items.size(); ++i) {
    if (!kept[i]) continue;
    CatalogItem item = catalog.items[i];
    const std::string_view name = GetItemText(catalog, i, ItemText::Name);
    folded.clear();
    item.innerStarts = FoldName(name, folded);
    const std::string foldedFile = FoldForMatching(GetItemText(catalog, i, ItemText::FileName));
    const bool sameFile = foldedFile == folded;
    const std::string program = ProgramName(catalog, i);
    item.launchHash = LaunchHash(GetItemText(catalog, i, ItemText::Launch));
    item.textAt = static_cast<uint32_t>(textEnd);
    item.foldedAt = static_cast<uint32_t>(catalog.folded.size());
    // Each text lies at or after where it goes: moved in order, none is written over unread.
    for (size_t t = 0; t < RAW_ITEM_TEXT_COUNT; ++t) {
      const std::string_view text = GetItemText(catalog, i, static_cast<ItemText>(t));
      const bool dropped = t == static_cast<size_t>(ItemText::FileName) && sameFile;
      item.length[t] = dropped ? 0 : static_cast<uint16_t>(text.size());
      std::memmove(&catalog.text[textEnd], text.data(), item.length[t]);
      textEnd += item.length[t];
    }
    const std::string_view foldedTexts[] = {folded, sameFile ? std::string_view() : foldedFile, program};
    for (size_t t = RAW_ITEM_TEXT_COUNT; t < ITEM_TEXT_COUNT; ++t)
      AppendText(catalog.folded, foldedTexts[t - RAW_ITEM_TEXT_COUNT], item.length[t]);
    item.letters = LetterMask(folded) | LetterMask(foldedTexts[1]);
    catalog.items[count++] = item;
  }
  catalog.items.erase(catalog.items.begin() + static_cast<ptrdiff_t>(count), catalog.items.end());
  // A scan's items grew as they came: the catalog the bar keeps holds no room to spare.
  if (catalog.items.capacity() > count + count / 8) std::vector<CatalogItem>(catalog.items).swap(catalog.items);
  catalog.text.resize(textEnd);
  catalog.text.shrink_to_fit();
  catalog.folded.shrink_to_fit();
  return catalog;
}

uint32_t WordHash(const uint8_t* data, size_t size) {
  const uint64_t PRIME = 1099511628211u;
  uint64_t hash = 14695981039346656037u;
  size_t at = 0;
  for (; size - at >= 8; at += 8) {
    uint64_t word = 0;
    for (int i = 7; i >= 0; --i) word = word << 8 | data[at + i];
    hash = (hash ^ word) * PRIME;
  }
  for (; at < size; ++at) hash = (hash ^ data[at]) * PRIME;
  return static_cast<uint32_t>(hash ^ hash >> 32);
}

uint32_t LetterMask(std::string_view folded) {
  uint32_t mask = 0;
  for (const char c : folded) {
    const uint8_t b = static_cast<uint8_t>(c);
    if (b >= 'a' && b <= 'z') {
      mask |= 1u << (b - 'a');
    } else if (b >= '0' && b <= '9') {
      mask |= 1u << 26;
    } else if (b >= 0x80) {
      mask |= 1u << (27 + b % 5);
    }
  }
  return mask;
}
