// The key store at the size of a very large user collection: 100,000 user entries behind
// the built-in ones. Goals: a save or a load of "keyentries.dat" within 30 ms each; a
// lookup of a missing key, the whole Enter path up to the launch and a Tab's completion
// within 1 ms; a step through a full history of typed lines within 0.1 ms. And the text
// file of Export... and Import...: 10,000 key words out or in within 300 ms each.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "command/builtin_keywords.h"
#include "command/entered_line.h"
#include "command/key_word_completion.h"
#include "command/typed_line_history.h"
#include "keys/key_file.h"
#include "keys/key_import.h"
#include "keys/key_text_format.h"
#include "settings/app_settings.h"

namespace {

const int USER_ENTRIES = 100000;
const char FILE_NAME[] = "bench-keyentries.dat";
const int TEXT_ENTRIES = 10000;
const char TEXT_FILE_NAME[] = "bench-keywords.txt";

void FillStore() {
  if (keyEntryStore.entries.size() > keyEntryStore.builtinCount) return;
  keyEntryStore = KeyEntryStore{};
  AddBuiltinKeywords();
  for (int i = 0; i < USER_ENTRIES; ++i) {
    const std::string n = std::to_string(i);
    keyEntryStore.Append(
        {"key" + n, "%ProgramFiles%\\Tool " + n + "\\tool.exe {1}", "--profile " + n + " {*}", 1, false, {}});
  }
}

std::vector<uint8_t> ReadAll(const char* name) {
  std::vector<uint8_t> bytes;
  FILE* file = std::fopen(name, "rb");
  std::fseek(file, 0, SEEK_END);
  bytes.resize(static_cast<size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

void SaveKeyFile(benchmark::State& state) {
  FillStore();
  for (auto _ : state) {
    const std::vector<uint8_t> bytes = EncodeKeyEntries(keyEntryStore);
    FILE* file = std::fopen(FILE_NAME, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}
BENCHMARK(SaveKeyFile)->Unit(benchmark::kMillisecond);

void LoadKeyFile(benchmark::State& state) {
  FillStore();
  const std::vector<uint8_t> saved = EncodeKeyEntries(keyEntryStore);
  FILE* file = std::fopen(FILE_NAME, "wb");
  std::fwrite(saved.data(), 1, saved.size(), file);
  std::fclose(file);
  for (auto _ : state) {
    KeyEntryStore loaded;
    const std::vector<uint8_t> bytes = ReadAll(FILE_NAME);
    if (DecodeKeyEntries(bytes.data(), bytes.size(), loaded) != KeyFileRead::Whole) state.SkipWithError("damaged");
    // The check every text passes on its way in: is it UTF-8, or legacy text to convert?
    for (const KeyEntry& entry : loaded.entries)
      for (const std::string* text : {&entry.key, &entry.command, &entry.parameters})
        if (!IsValidUtf8(*text)) state.SkipWithError("not UTF-8");
    benchmark::DoNotOptimize(loaded.entries.data());
  }
  std::remove(FILE_NAME);
}
BENCHMARK(LoadKeyFile)->Unit(benchmark::kMillisecond);

// The built-in key words, then 10,000 user entries whose texts need escaping.
KeyEntryStore TextStore(int userEntries) {
  FillStore();
  KeyEntryStore store;
  store.entries.assign(keyEntryStore.entries.begin(), keyEntryStore.entries.begin() + keyEntryStore.builtinCount);
  store.SealBuiltins();
  for (int i = 0; i < userEntries; ++i) {
    const std::string n = std::to_string(i);
    store.Append({"key" + n,
                  "C:\\Tools\\tool " + n + ".exe https://x/?q=%s",
                  "--profile " + n,
                  1,
                  false,
                  {{" ", "+"}, {"=", "%3D"}}});
  }
  return store;
}

void ExportKeyText(benchmark::State& state) {
  const KeyEntryStore store = TextStore(TEXT_ENTRIES);
  for (auto _ : state) {
    const std::string text = EncodeKeyText(store);
    FILE* file = std::fopen(TEXT_FILE_NAME, "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}
BENCHMARK(ExportKeyText)->Unit(benchmark::kMillisecond);

// Into a list without user entries (0), or over the same 10,000, each replaced (1).
void ImportKeyText(benchmark::State& state) {
  const KeyEntryStore exported = TextStore(TEXT_ENTRIES);
  const std::string text = EncodeKeyText(exported);
  FILE* file = std::fopen(TEXT_FILE_NAME, "wb");
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  const KeyEntryStore before = state.range(0) ? exported : TextStore(0);
  for (auto _ : state) {
    state.PauseTiming();
    KeyEntryStore store = before;
    state.ResumeTiming();
    const std::vector<uint8_t> bytes = ReadAll(TEXT_FILE_NAME);
    KeyTextRead read = DecodeKeyText({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    const KeyImportCounts counts =
        ApplyKeyImport(store, PlanKeyImport(store, std::move(read.entries)), ExistingKeys::Replace);
    if (counts.added + counts.replaced != TEXT_ENTRIES) state.SkipWithError("not all imported");
  }
  std::remove(TEXT_FILE_NAME);
}
BENCHMARK(ImportKeyText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void FindMissingKey(benchmark::State& state) {
  FillStore();
  for (auto _ : state) benchmark::DoNotOptimize(keyEntryStore.FindByKey("no-such-key"));
}
BENCHMARK(FindMissingKey)->Unit(benchmark::kMicrosecond);

std::optional<std::string> Variable(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// The whole store searched: for an unknown key word, whose line goes to the default search
// (0), and for the last user key, whose texts take a variable and the typed words (1).
void EnterPath(benchmark::State& state) {
  FillStore();
  setenv("ProgramFiles", "C:\\Program Files", 1);
  const CommandSources sources = {Variable, [] { return std::string(); },
                                  [](std::string_view) { return std::string(); }, [] { return CommandProcessor{}; }};
  const char* line = state.range(0) ? "key99999 \"free software\" + AT&T" : "unknown free software + AT&T";
  for (auto _ : state) benchmark::DoNotOptimize(PlanEnteredLine(line, sources, false));
}
BENCHMARK(EnterPath)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A word that begins no key word, the whole store searched; one that begins only the last
// user key; and a word that begins every user key, Tab pressed again and again.
void CompleteKeyWord(benchmark::State& state) {
  FillStore();
  const std::string word[] = {"nomatch", "key99999", "key"};
  const std::string& line = word[state.range(0)];
  KeyWordCompletion completion;
  TabResult result = completion.Tab(keyEntryStore, line, line.size());
  for (auto _ : state) {
    result = state.range(0) == 2 ? completion.Tab(keyEntryStore, result.line, result.caret)
                                 : completion.Tab(keyEntryStore, line, line.size());
    benchmark::DoNotOptimize(result.line.data());
  }
}
BENCHMARK(CompleteKeyWord)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Up through a full history of lines as long as the box runs, and round again.
void HistoryStep(benchmark::State& state) {
  TypedLineHistory history;
  for (size_t i = 0; i < MAX_HISTORY_LINES; ++i)
    history.Remember(std::string(MAX_LINE_LENGTH - 3, 'x') + std::to_string(100 + i));
  std::string shown = "being typed";
  for (auto _ : state) {
    auto step = history.Older(shown);
    if (*step == shown) step = history.Abandon(shown);
    shown = *step;
    benchmark::DoNotOptimize(shown.data());
  }
}
BENCHMARK(HistoryStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
