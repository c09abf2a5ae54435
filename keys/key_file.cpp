#include "keys/key_file.h"

#include <algorithm>
#include <string>

namespace {

constexpr size_t HEADER_SIZE = 8;
constexpr size_t SMALLEST_ENTRY_SIZE = 9;

void PutInt16(std::vector<uint8_t>& out, size_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutInt32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutText(std::vector<uint8_t>& out, const std::string& text) {
  // User texts never exceed the limit (the dialog and the reader hold them to it); a
  // longer one is cut rather than written as a file that the reader refuses.
  const size_t length = std::min(text.size(), MAX_KEY_TEXT_LENGTH);
  PutInt16(out, length);
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t offset;
  bool altered;  // something was read that saving would not give back

  bool Int16(int16_t& value) {
    if (size - offset < 2) return false;
    value = static_cast<int16_t>(data[offset] | data[offset + 1] << 8);
    offset += 2;
    return true;
  }
  bool Text(std::string& text) {
    int16_t length;
    if (!Int16(length) || length < 0 || static_cast<size_t>(length) > MAX_KEY_TEXT_LENGTH ||
        size - offset < static_cast<size_t>(length))
      return false;
    const char* bytes = reinterpret_cast<const char*>(data + offset);
    // A text ends at its first NUL.
    const size_t kept = static_cast<size_t>(std::find(bytes, bytes + length, '\0') - bytes);
    text.assign(bytes, kept);
    if (kept != static_cast<size_t>(length)) altered = true;
    offset += static_cast<size_t>(length);
    return true;
  }
  bool Entry(KeyEntry& entry) {
    if (!Text(entry.key) || !Text(entry.command) || !Text(entry.parameters) || offset == size) return false;
    entry.minimizeAfterRunning = data[offset++];
    int16_t pairs;
    if (!Int16(pairs)) return false;
    if (pairs < 0) altered = true;  // counts as none
    for (int16_t i = 0; i < pairs; ++i) {
      KeyReplacement pair;
      if (!Text(pair.from) || !Text(pair.to)) return false;
      entry.replacements.push_back(std::move(pair));
    }
    return true;
  }
};

int32_t ReadInt32(const uint8_t* b) {
  return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
}

}  // namespace

std::vector<uint8_t> EncodeKeyEntries(const KeyEntryStore& store) {
  std::vector<uint8_t> out;
  const auto userEntries = store.entries.begin() + static_cast<std::ptrdiff_t>(store.builtinCount);
  const size_t kept = static_cast<size_t>(
      std::count_if(userEntries, store.entries.end(), [](const KeyEntry& entry) { return !entry.removalPending; }));
  out.reserve(HEADER_SIZE + kept * SMALLEST_ENTRY_SIZE);
  PutInt32(out, KEY_FILE_VERSION);
  PutInt32(out, static_cast<uint32_t>(kept));
  for (auto entry = userEntries; entry != store.entries.end(); ++entry) {
    // Removed in a dialog still open as the session ends: gone all the same.
    if (entry->removalPending) continue;
    PutText(out, entry->key);
    PutText(out, entry->command);
    PutText(out, entry->parameters);
    out.push_back(entry->minimizeAfterRunning);
    PutInt16(out, entry->replacements.size());
    for (const KeyReplacement& pair : entry->replacements) {
      PutText(out, pair.from);
      PutText(out, pair.to);
    }
  }
  return out;
}

KeyFileRead DecodeKeyEntries(const uint8_t* data, size_t size, KeyEntryStore& store) {
  if (size < HEADER_SIZE) return KeyFileRead::Damaged;
  if (ReadInt32(data) != KEY_FILE_VERSION) return KeyFileRead::WrongVersion;
  const int32_t count = ReadInt32(data + 4);
  if (count < 0) return KeyFileRead::Damaged;

  Reader reader = {data, size, HEADER_SIZE, false};
  // The count may claim more than the file holds; reserve only what it can hold.
  store.entries.reserve(store.entries.size() + std::min<size_t>(count, (size - HEADER_SIZE) / SMALLEST_ENTRY_SIZE));
  for (int32_t i = 0; i < count; ++i) {
    KeyEntry entry;
    if (!reader.Entry(entry)) return KeyFileRead::Damaged;
    store.Append(std::move(entry));
  }
  return reader.offset == size && !reader.altered ? KeyFileRead::Whole : KeyFileRead::Damaged;
}
