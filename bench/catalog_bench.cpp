// The catalog of programs at the sizes of real and very large Start Menus, built from the
// names of 2,718 real programs. Goals: a keystroke's search within 0.5 ms over 10,000 items
// and 5 ms over 100,000; "catalog.dat" of 2,000 items read within a few milliseconds; at
// most 300 bytes of memory per item.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "catalog/catalog_file.h"
#include "catalog/ranking.h"

namespace {

// What is typed, keystroke by keystroke and word by word; the last matches nothing.
const char* const TYPED[] = {"f", "fi", "note", "vsc", "ms wo", "visual studio", "how to cook rice", "zqxj"};

std::vector<std::string> BaseNames() {
  std::vector<std::string> names;
  for (const char* file : {"program-names.txt", "windows-names.txt"}) {
    std::ifstream in(std::string(PELLOMAR_SOURCE_DIR "/tests/data/") + file);
    for (std::string line; std::getline(in, line);) names.push_back(line.substr(0, line.find('\t')));
  }
  return names;
}

// Names past the real ones are the real ones with a word added, as a suite's tools are.
std::string NthName(const std::vector<std::string>& base, size_t n) {
  static const char* const ADDED[] = {"Help", "Uninstall", "Settings", "Updater", "(x86)", "Tools", "Documentation"};
  const size_t round = n / base.size();
  std::string name = base[n % base.size()];
  if (round > 0) name += std::string(" ") + ADDED[round % 7] + (round > 7 ? " " + std::to_string(round) : "");
  return name;
}

std::string PathSafe(std::string text) {
  for (char& c : text)
    if (c == '/' || c == ':') c = '_';
  return text;
}

CatalogBuilder Items(size_t count) {
  const std::vector<std::string> base = BaseNames();
  CatalogBuilder builder;
  for (size_t i = 0; i < count; ++i) {
    const std::string name = NthName(base, i), folder = PathSafe(base[i % base.size()]);
    const std::string launch =
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\" + folder + "\\" + PathSafe(name) + ".lnk";
    std::string exe = PathSafe(name);
    exe.erase(std::remove(exe.begin(), exe.end(), ' '), exe.end());
    const std::string target = "C:\\Program Files\\" + folder + "\\" + exe + ".exe";
    AddCatalogItem(builder,
                   {name, "", launch, target, i % 5 ? "" : "--profile " + std::to_string(i), 133500000000000000,
                    ItemKind::Shortcut, i % 2 ? ItemSource::UserStartMenu : ItemSource::CommonStartMenu});
  }
  return builder;
}

const Catalog& CatalogOf(size_t count) {
  static std::map<size_t, Catalog> made;
  auto found = made.find(count);
  if (found == made.end()) found = made.emplace(count, FinishCatalog(Items(count))).first;
  return found->second;
}

// A full record of picks, as after long use.
Picks FullPicks(const Catalog& catalog) {
  Picks picks;
  for (size_t i = 0; i < MAX_PICK_RECORDS; ++i) {
    const std::string launch(GetItemText(catalog, i * 7 % catalog.items.size(), ItemText::Launch));
    RecordPick(picks, GetItemText(catalog, i * 7 % catalog.items.size(), ItemText::Name).substr(0, 1 + i % 4), launch);
  }
  return picks;
}

// Items 10,000 or 100,000; the typed text by its index in TYPED.
void RankKeystroke(benchmark::State& state) {
  const Catalog& catalog = CatalogOf(static_cast<size_t>(state.range(0)));
  const Picks picks = FullPicks(catalog);
  const char* typed = TYPED[state.range(1)];
  size_t rows = 0;
  for (auto _ : state) rows = RankCatalog(catalog, typed, picks, MAX_CATALOG_ROWS).size();
  state.SetLabel(std::string(typed) + ": " + std::to_string(rows) + " rows");
}
BENCHMARK(RankKeystroke)->ArgsProduct({{10000, 100000}, {0, 1, 2, 3, 4, 5, 6, 7}})->Unit(benchmark::kMicrosecond);

// The catalog finished from the scanner's items; its memory per item.
void FinishAndMeasure(benchmark::State& state) {
  const size_t count = static_cast<size_t>(state.range(0));
  size_t memory = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CatalogBuilder builder = Items(count);
    state.ResumeTiming();
    const Catalog catalog = FinishCatalog(std::move(builder));
    memory = CatalogMemory(catalog);
  }
  state.counters["bytes/item"] = static_cast<double>(memory) / static_cast<double>(count);
}
BENCHMARK(FinishAndMeasure)->Arg(2000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// "catalog.dat" of 2,000 items, from its bytes to the catalog the bar searches.
void DecodeCatalogFile(benchmark::State& state) {
  const std::string encoded = EncodeCatalog(CatalogOf(static_cast<size_t>(state.range(0))));
  const std::vector<uint8_t> file(encoded.begin(), encoded.end());
  for (auto _ : state) {
    const std::optional<Catalog> read = DecodeCatalog(file.data(), file.size());
    if (!read) state.SkipWithError("not read");
  }
  state.SetLabel(std::to_string(file.size()) + " bytes");
}
BENCHMARK(DecodeCatalogFile)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
