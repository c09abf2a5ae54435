#include "command/arithmetic.h"

#include <gtest/gtest.h>

#include <string>

// What the row under the bar shows for a line; nullptr where the line is no arithmetic and
// goes on as any other.
TEST(Arithmetic, ReadsEvaluatesAndShowsLinesInTheUsersSeparator) {
  const struct {
    std::string line;
    const char* separator;
    const char* row;
  } cases[] = {
      // Precedence, powers to the right and above a sign before them, remainder, hexadecimal.
      {" 2 + 3*4 ", ".", "14"},
      {"10-4-3", ".", "3"},
      {"64/4/2", ".", "8"},
      {"2^3^2", ".", "512"},
      {"-2^2", ".", "-4"},
      {"2^-1", ".", "0.5"},
      {"2*-3", ".", "-6"},
      {"-7 % 3", ".", "-1"},
      {"0xFF + 0x1", ".", "256"},
      {"0x1e5+1", ".", "486"},
      {"1/2/2026", ".", "0.000246791707798618"},
      // The user's separator, one character or several, in and out.
      {"10/4", ",", "2,5"},
      {"0,06/0,3", ",", "0,2"},
      {",5*2", ",", "1"},
      {"1\xD9\xAB\x35*3", "\xD9\xAB", "4\xD9\xAB\x35"},  // the Arabic separator: 1.5*3 = 4.5
      // 15 digits at most, fewer where the inputs' rounding leaves them uncertain.
      {"0.1+0.2", ".", "0.3"},
      {"2/3", ".", "0.666666666666667"},
      {"0.1+0.2-0.3", ".", "0"},
      {"0.3 % 0.1", ".", "0"},
      {"2^0.5", ".", "1.4142135623731"},
      {"3.14159265358979323846*2", ".", "6.2831853071796"},  // read to 16 digits: the 15th may be either
      {"1.5*10^20", ".", "1.5E+20"},
      {"10^15-1", ".", "999999999999999"},
      {"10^15", ".", "1E+15"},
      {"1/10000", ".", "0.0001"},
      {"1/100000", ",", "1E-05"},
      {"-0*1", ".", "0"},
      // Results that are no number.
      {"1/0", ".", DIVISION_BY_ZERO_TEXT},
      {"5 % 0", ".", DIVISION_BY_ZERO_TEXT},
      {"0^-1", ".", DIVISION_BY_ZERO_TEXT},
      {"1/(0.1+0.2-0.3)", ".", DIVISION_BY_ZERO_TEXT},
      {"10^400", ".", OVERFLOW_TEXT},
      {"10^400/10^400", ".", OVERFLOW_TEXT},
      {"0.1^400", ".", UNDERFLOW_TEXT},
      {"(-8)^(1/3)", ".", NOT_A_REAL_NUMBER_TEXT},
      {"10^20 % 7", ".", BEYOND_PRECISION_TEXT},
      {"9.99999999999999-9.99999999999998", ".", BEYOND_PRECISION_TEXT},
      // Lines that stay what they were.
      {"2048", ".", nullptr},
      {"-5", ".", nullptr},
      {"(3)", ".", nullptr},
      {"7zip", ".", nullptr},
      {"1password", ".", nullptr},
      {"2 + 2 fun", ".", nullptr},
      {"x 2+2", ".", nullptr},
      {"1e5+1", ".", nullptr},
      {"", ".", nullptr},
      {"()", ".", nullptr},
      {"1+", ".", nullptr},
      {"(1+2", ".", nullptr},
      {"1+2)", ".", nullptr},
      {"0x+1", ".", nullptr},
      {"0xG1+1", ".", nullptr},
      {"0x1.8+1", ".", nullptr},
      {"5.*2", ".", nullptr},
      {"1 000+1", ".", nullptr},
      {"1.002*1000", ",", nullptr},
      {"0,06/0,3", ".", nullptr},
      {"192.168.1.1", ".", nullptr},
      {"1+1", "x", nullptr},
      {std::string(125, ' ') + "1+1", ".", nullptr},
      {std::string(124, ' ') + "1+1", ".", "2"},
      {std::string(40, '(') + "1+1" + std::string(40, ')'), ".", nullptr},
  };
  for (const auto& [line, separator, row] : cases) {
    const std::optional<ArithmeticResult> result = EvaluateArithmetic(line, separator);
    const std::string shown = result ? FormatArithmeticResult(*result, separator) : "no arithmetic";
    EXPECT_EQ(shown, row ? row : "no arithmetic") << line << " under '" << separator << "'";
  }
}
