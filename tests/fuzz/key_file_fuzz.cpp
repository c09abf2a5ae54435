// Feeds arbitrary bytes to the key file reader as "keyentries.dat": it must never read
// past the data, a file it calls whole must come back byte for byte from a save, and
// whatever it keeps must survive a save and a second load whole.
#include "keys/key_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KeyEntryStore loaded;
  loaded.Append({"g", "builtin", "", 0, false, {}});
  loaded.SealBuiltins();
  const KeyFileRead result = DecodeKeyEntries(data, size, loaded);

  const std::vector<uint8_t> saved = EncodeKeyEntries(loaded);
  if (result == KeyFileRead::Whole && saved != std::vector<uint8_t>(data, data + size)) __builtin_trap();
  KeyEntryStore reloaded;
  if (DecodeKeyEntries(saved.data(), saved.size(), reloaded) != KeyFileRead::Whole) __builtin_trap();
  if (EncodeKeyEntries(reloaded) != saved) __builtin_trap();
  return 0;
}
