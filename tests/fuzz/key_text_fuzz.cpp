// Feeds arbitrary bytes to the key words text reader as an imported file: it must never
// read past the data, every text it keeps must fit the store, and what it reads must be
// written and read back the same.
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
  return 0;
}
