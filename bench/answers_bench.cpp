// The answers under the bar, computed on every key press. Goals: a line read, evaluated
// and written as its row within 10 us, the longest line the box holds included; a line
// that is no arithmetic turned away sooner; a typed path read and a folder of 5,000
// entries filtered and ordered within 1 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "command/arithmetic.h"
#include "command/typed_path.h"

namespace {

// Typical lines, one of each kind of answer, a line that is a search, and the longest.
const std::string LINES[] = {
    "(1+2)*3^2/4 - 0x1F % 7", "0,1 + 0,2 - 0,3", "2^0,5 * 1234,5678", "wiki arithmetic",
    "(((1,25+2,5)*(3,75-4)/(5^2,5))%(6,125+7))-(((8,5*9,25)^(0,5))/(10-11,75))+12,5*-(13%(14,25-0,5))"
    "+0x1F/(0,0625*(15,5^-2)-16,75) "};

void Arithmetic(benchmark::State& state) {
  const std::string& line = LINES[state.range(0)];
  for (auto _ : state) {
    const std::optional<ArithmeticResult> result = EvaluateArithmetic(line, ",");
    std::string row = result ? FormatArithmeticResult(*result, ",") : std::string();
    benchmark::DoNotOptimize(row.data());
  }
}
BENCHMARK(Arithmetic)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// A folder like System32: 5,000 files and folders, some hidden. Lines listing all of it
// (the first 64 kept), a few hundred entries, and one.
void TypedPathEntries(benchmark::State& state) {
  const char* prefixes[] = {"api-ms-win-", "Kernel", "msvcp", "Windows.", "\xD0\x94\xD0\xB0\xD0\xBD"};
  std::vector<PathEntry> folder;
  for (int i = 0; i < 5000; ++i)
    folder.push_back({prefixes[i % 5] + std::to_string(i) + (i % 7 ? ".dll" : ""), i % 7 == 0, i % 11 == 0});
  const char* lines[] = {"C:\\Windows\\System32\\", "C:\\Windows\\System32\\kern", "C:\\Windows\\System32\\kernel4999"};
  const char* line = lines[state.range(0)];
  for (auto _ : state) {
    const std::optional<TypedPath> path = ParseTypedPath(line);
    const std::vector<PathEntry> listed = MatchPathEntries(path->piece, folder);
    benchmark::DoNotOptimize(listed.data());
  }
}
BENCHMARK(TypedPathEntries)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
