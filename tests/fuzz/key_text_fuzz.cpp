// Feeds arbitrary bytes to the key words text reader as an imported file: it must never
// read past the data, every text it keeps must fit the store, what it reads must be
// written and read back the same, and its import must keep every entry the store had
// (unchanged, or replaced under its own key when the user says so).
#include "keys/key_import.h"
#include "keys/key_text_format.h"

static bool Fits(const std::string& text) {
  return text.size() <= MAX_KEY_TEXT_LENGTH && text.find('\0') == std::string::npos;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const KeyTextRead read = DecodeKeyText({reinterpret_cast<const char*>(data), size});
  KeyEntryStore written;
  for (const KeyEntry& entry : read.entries) {
    bool fits = Fits(entry.key) && Fits(entry.command) && Fits(entry.parameters) && entry.minimizeAfterRunning <= 1;
    for (const KeyReplacement& pair : entry.replacements) fits = fits && Fits(pair.from) && Fits(pair.to);
    if (!fits) __builtin_trap();
    written.Append(entry);
  }
  const std::string text = EncodeKeyText(written);
  if (EncodeKeyText({DecodeKeyText(text).entries, 0}) != text) __builtin_trap();

  KeyEntryStore store = {
      {{"g", "builtin", "", 0, false, {}}, {"ed", "one", "", 1, false, {}}, {"ed", "two", "", 0, false, {}}}, 1};
  const KeyEntryStore before = store;
  const ExistingKeys existingKeys = size % 2 ? ExistingKeys::Replace : ExistingKeys::Skip;
  const KeyImportCounts counts = ApplyKeyImport(store, PlanKeyImport(store, read.entries), existingKeys);
  if (counts.added + counts.replaced + counts.skippedBuiltin + counts.skippedExisting != read.entries.size() ||
      store.entries.size() != before.entries.size() + counts.added)
    __builtin_trap();
  for (size_t i = 0; i < before.entries.size(); ++i) {
    const bool mayChange = existingKeys == ExistingKeys::Replace && i >= store.builtinCount;
    if (store.entries[i].key != before.entries[i].key ||
        (!mayChange && store.entries[i].command != before.entries[i].command))
      __builtin_trap();
  }
  return 0;
}
