#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A typed line that is arithmetic shows its result under the bar, and Enter copies it.
// What reads as arithmetic, and never as a guess:
// - numbers: decimal digits with the user's decimal separator (",5" and "0,5" alike, not
//   "5,"), and whole numbers in hexadecimal after "0x" or "0X" ("0xFF"). No thousands
//   separators, no exponent notation ("1e5" has a letter), no other letters;
// - operators, from the loosest to the tightest: binary + and -; * and /, and % for the
//   remainder (truncated, so it takes the dividend's sign: -7 % 3 is -1); the signs - and +
//   before an operand; ^ for powers, to the right (2^3^2 is 2^9) and above a sign before it,
//   as calculators have it (-2^2 is -4, 2^-1 is 0.5);
// - parentheses, and blanks between any two of these;
// - at least one binary operator: "2048", "-5" and "(3)" are numbers, not sums.
// A point in a number where the separator is a comma makes the line no arithmetic, and a
// comma where it is a point: "1.002" is neither 1.002 nor 1002 to a German user. A date
// written with slashes ("1/2/2026") or a phone number with a hyphen ("555-1234") is
// arithmetic by these rules, and shows its quotient or difference.
// The separator is the user's (LOCALE_SDECIMAL, in UTF-8): any text of at most
// MAX_DECIMAL_SEPARATOR_LENGTH bytes with no digit, letter, blank, operator or parenthesis
// in it, one character or several. With any other separator no line is arithmetic, since
// neither its numbers nor its results could be written without a guess.

// Reading stops at these, so that a line's reading takes at most a few microseconds and
// no line can exhaust the stack: the box's own limit, and how deeply parentheses, signs
// and powers may nest.
constexpr size_t MAX_ARITHMETIC_LINE_LENGTH = 127;
constexpr int MAX_ARITHMETIC_DEPTH = 32;
constexpr size_t MAX_DECIMAL_SEPARATOR_LENGTH = 8;
// The longest text FormatArithmeticResult gives, in bytes.
constexpr size_t MAX_ARITHMETIC_TEXT_LENGTH = 40;

enum class ArithmeticKind {
  Number,
  DivisionByZero,   // by zero in a division or remainder, or zero to a negative power
  Overflow,         // a step beyond the largest number a double holds (about 1.8E+308)
  Underflow,        // a product, quotient or power too small for a double to hold exactly
  NotARealNumber,   // a negative number to a fractional power
  BeyondPrecision,  // not even the first digit is certain, as in a remainder of 10^20
};

// The row's words for the kinds that are no number: "= division by zero".
constexpr char DIVISION_BY_ZERO_TEXT[] = "division by zero";
constexpr char OVERFLOW_TEXT[] = "number too large";
constexpr char UNDERFLOW_TEXT[] = "number too small";
constexpr char NOT_A_REAL_NUMBER_TEXT[] = "not a real number";
constexpr char BEYOND_PRECISION_TEXT[] = "beyond precision";

// The first step that gives no number decides the kind. A Number carries a bound on its
// error: what the rounding of decimal inputs such as 0.1 to binary and of each step may
// have added, grown through the steps that follow (a difference keeps its operands' whole
// error, a power multiplies its base's). It decides how many digits are shown, and a sum
// or difference within it of zero is zero: 0.1 + 0.2 - 0.3 is 0, and so is 0.3 % 0.1.
struct ArithmeticResult {
  ArithmeticKind kind = ArithmeticKind::Number;
  double value = 0;
  double error = 0;
};

// The line's result, or nothing where the line is no arithmetic (see above).
std::optional<ArithmeticResult> EvaluateArithmetic(std::string_view line, std::string_view decimalSeparator);

// A Number in the user's decimal separator, with at most 15 significant digits and fewer
// where the error bound leaves the later ones uncertain (the least and the greatest value
// it allows would round to other digits), trailing zeros dropped, -0 as 0: "0,3", "512",
// "-4". Below 0.0001 and from 10^15 on, in exponent form with at least two exponent
// digits: "1,5E+20", "1E-05". Every digit shown is right, but where the result lies within
// about 1/10000 of a unit of the last digit from halfway, where it may be one off (where
// long double is double, as under MSVC, within about 1/10). Other kinds give their words
// above.
std::string FormatArithmeticResult(const ArithmeticResult& result, std::string_view decimalSeparator);
