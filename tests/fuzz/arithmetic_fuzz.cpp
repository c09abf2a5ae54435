// Reads and evaluates arbitrary lines under an arbitrary separator, and writes arbitrary
// numbers: nothing may be read out of bounds, no nesting may exhaust the stack, and every
// result must fit the row.
#include <fuzzer/FuzzedDataProvider.h>

#include "command/arithmetic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const ArithmeticResult any{ArithmeticKind::Number, input.ConsumeFloatingPoint<double>(),
                             input.ConsumeFloatingPoint<double>()};
  const std::string separator = input.ConsumeRandomLengthString(4);
  if (FormatArithmeticResult(any, ",").size() > MAX_ARITHMETIC_TEXT_LENGTH) __builtin_trap();
  const std::string line = input.ConsumeRemainingBytesAsString();
  for (const std::string_view used : {std::string_view(separator), std::string_view("."), std::string_view(",")}) {
    const std::optional<ArithmeticResult> result = EvaluateArithmetic(line, used);
    if (result && FormatArithmeticResult(*result, used).size() > MAX_ARITHMETIC_TEXT_LENGTH) __builtin_trap();
  }
  return 0;
}
