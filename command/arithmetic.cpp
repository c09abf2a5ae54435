#include "command/arithmetic.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "command/entered_line.h"

static_assert(MAX_ARITHMETIC_LINE_LENGTH == MAX_LINE_LENGTH, "arithmetic reads what the box holds");

namespace {

// The largest relative error of one rounding to double.
constexpr double ROUNDING = DBL_EPSILON / 2;
// Whole numbers up to this are exact in a double, and so are their sums and products.
constexpr uint64_t EXACT_WHOLE_BITS = 53;
constexpr double EXACT_WHOLE_LIMIT = static_cast<double>(uint64_t{1} << EXACT_WHOLE_BITS);
constexpr double POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int EXACT_POWERS = 22;
constexpr int MOST_DIGITS = 15;

struct Value {
  double number = 0;
  double error = 0;
};

struct Reader {
  std::string_view line;
  std::string_view separator;
  size_t at = 0;
  int depth = 0;
  int operators = 0;
  bool malformed = false;
  ArithmeticKind kind = ArithmeticKind::Number;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsWhole(double x) {
  return std::trunc(x) == x;
}

// A separator that cannot be told from anything else in a line would make every reading a guess.
bool IsUsableSeparator(std::string_view separator) {
  if (separator.empty() || separator.size() > MAX_DECIMAL_SEPARATOR_LENGTH) return false;
  for (const char c : separator) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (IsDigit(c) || letter || static_cast<unsigned char>(c) <= ' ' ||
        std::string_view("+-*/%^()").find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

char Peek(Reader& r) {
  while (r.at < r.line.size() && r.line[r.at] == ' ') ++r.at;
  return r.at < r.line.size() ? r.line[r.at] : '\0';
}

Value ReadHex(Reader& r) {
  const size_t start = r.at;
  Value v;
  for (int digit; r.at < r.line.size() && (digit = HexDigit(r.line[r.at])) >= 0; ++r.at)
    v.number = v.number * 16 + digit;
  if (r.at == start) r.malformed = true;
  // Past 2^53 each further digit may round.
  if (v.number > EXACT_WHOLE_LIMIT) v.error = v.number * static_cast<double>(r.at - start) * ROUNDING;
  return v;
}

// magnitude * 10^exponent, in long double where that is wider than double (x87: MinGW, and
// Linux on x86): powers of ten up to 10^27 are exact there, and a result rounded to 15
// digits goes wrong only within about 1/10000 of a unit from halfway, rather than 1/10.
// Where long double is double (MSVC), each step above 10^22 may round once more.
long double Scaled(long double magnitude, int exponent) {
  constexpr int STEP = 27;
  long double scaled = magnitude;
  for (; exponent > STEP; exponent -= STEP) scaled *= 1e27L;
  for (; exponent < -STEP; exponent += STEP) scaled /= 1e27L;
  long double power = 1;
  for (int i = 0; i < std::abs(exponent); ++i) power *= 10;
  return exponent >= 0 ? scaled * power : scaled / power;
}

// Digits with the separator among them, as a whole mantissa times a power of ten. The
// mantissa keeps the first 19 significant digits, exact in 64 bits; those after them move
// the value by less than a hundredth of a rounding. Within 2^53 and 22 decimals the value
// is rounded once, and is exact where the decimals make a binary fraction (0.5, 0.25);
// beyond, it is rounded a few times more, and once more for each power of ten past 10^22.
Value ReadDecimal(Reader& r) {
  uint64_t mantissa = 0;
  int kept = 0;
  int exponent = 0;
  bool separatorSeen = false;
  bool digitSeen = false;
  for (;;) {
    if (r.at < r.line.size() && IsDigit(r.line[r.at])) {
      const int digit = r.line[r.at++] - '0';
      digitSeen = true;
      if (kept < 19 && (kept > 0 || digit > 0)) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(digit);
        ++kept;
        if (separatorSeen) --exponent;
      } else if (kept == 0) {
        if (separatorSeen) --exponent;
      } else if (!separatorSeen) {
        ++exponent;
      }
    } else if (!separatorSeen && r.line.compare(r.at, r.separator.size(), r.separator) == 0) {
      separatorSeen = true;
      r.at += r.separator.size();
      digitSeen = false;  // "5," is no number, nor is a lone ","
    } else {
      break;
    }
  }
  if (!digitSeen) {
    r.malformed = true;
    return {};
  }
  Value v;
  if (mantissa <= uint64_t{1} << EXACT_WHOLE_BITS && exponent <= 0 && exponent >= -EXACT_POWERS) {
    v.number = static_cast<double>(mantissa) / POWERS_OF_TEN[-exponent];
    // m / 10^k is a binary fraction, and exact, where 5^k divides m.
    uint64_t rest = mantissa;
    int fives = 0;
    for (; fives < -exponent && rest != 0 && rest % 5 == 0; ++fives) rest /= 5;
    if (rest != 0 && fives < -exponent) v.error = v.number * ROUNDING;
  } else {
    v.number = static_cast<double>(Scaled(static_cast<long double>(mantissa), exponent));
    v.error = v.number * (std::max(0, std::abs(exponent) - EXACT_POWERS) + 3) * ROUNDING;
  }
  return v;
}

Value ReadNumber(Reader& r) {
  const std::string_view rest = r.line.substr(r.at);
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    r.at += 2;
    return ReadHex(r);
  }
  return ReadDecimal(r);
}

// x^y: whole powers up to this are multiplied out, the others found from the processor's
// base-2 logarithm and exponential in long double. The library's pow would weigh more than
// all of this arithmetic together, in a program whose size counts.
constexpr double MOST_MULTIPLIED_POWER = 64;

bool IsOdd(double whole) {
  return std::fmod(whole, 2) != 0;
}

double Power(double x, double y) {
  if (y == 0) return 1;
  if (x < 0) {
    if (!IsWhole(y)) return std::nan("");
    const double power = Power(-x, y);
    return IsOdd(y) ? -power : power;
  }
  if (IsWhole(y) && std::fabs(y) <= MOST_MULTIPLIED_POWER) {
    long double power = 1, square = x;
    for (double rest = std::fabs(y); rest >= 1; rest = std::floor(rest / 2), square *= square)
      if (IsOdd(rest)) power *= square;
    return static_cast<double>(y > 0 ? power : 1 / power);
  }
  if (x == 0) return y > 0 ? 0 : HUGE_VAL;
  return static_cast<double>(std::exp2(y * std::log2(static_cast<long double>(x))));
}

// How many roundings to double the logarithm and exponential of Power may add for x^y:
// their relative error grows with the exponent they carry, shrunk by the digits long
// double has beyond double.
double PowerRoundings(double x, double y) {
  const long double carried = std::fabs(y * std::log2(static_cast<long double>(std::fabs(x))));
  return static_cast<double>(carried * LDBL_EPSILON / DBL_EPSILON);
}

// Records the first step that gives no number; later steps are then skipped.
void Fail(Reader& r, ArithmeticKind kind) {
  if (r.kind == ArithmeticKind::Number) r.kind = kind;
}

// A product, quotient or power of non-zero operands that comes out zero or below the
// normal range has lost its digits.
bool Underflowed(double result) {
  return std::fabs(result) < DBL_MIN;
}

Value Apply(Reader& r, char op, Value a, Value b) {
  if (r.kind != ArithmeticKind::Number) return a;
  const double x = a.number;
  const double y = b.number;
  const bool exactWholes = a.error == 0 && b.error == 0 && IsWhole(x) && IsWhole(y);
  Value v;
  switch (op) {
    case '+':
    case '-': {
      const double addend = op == '+' ? y : -y;
      v.number = x + addend;
      // The rounding error of the sum, found exactly (Knuth's two-sum).
      const double virtualAddend = v.number - x;
      const double lost = (x - (v.number - virtualAddend)) + (addend - virtualAddend);
      v.error = a.error + b.error + (lost != 0 ? std::fabs(v.number) * ROUNDING : 0);
      if (std::fabs(v.number) <= v.error) v.number = 0;
      break;
    }
    case '*':
      v.number = x * y;
      if (x != 0 && y != 0 && Underflowed(v.number)) Fail(r, ArithmeticKind::Underflow);
      if (!(exactWholes && std::fabs(v.number) <= EXACT_WHOLE_LIMIT))
        v.error = std::fabs(x) * b.error + std::fabs(y) * a.error + a.error * b.error + std::fabs(v.number) * ROUNDING;
      break;
    case '/':
      if (y == 0) {
        Fail(r, ArithmeticKind::DivisionByZero);
        return a;
      }
      v.number = x / y;
      if (x != 0 && Underflowed(v.number)) Fail(r, ArithmeticKind::Underflow);
      if (!(exactWholes && std::fmod(x, y) == 0))
        v.error = (a.error + std::fabs(v.number) * b.error) / std::fabs(y) + std::fabs(v.number) * ROUNDING;
      break;
    case '%': {
      if (y == 0) {
        Fail(r, ArithmeticKind::DivisionByZero);
        return a;
      }
      // The remainder itself is exact; the operands' errors move it by up to this much.
      v.number = std::fmod(x, y);
      v.error = a.error + (b.error > 0 ? std::trunc(std::fabs(x / y)) * b.error : 0);
      if (v.error == 0) break;
      if (2 * v.error >= std::fabs(y)) Fail(r, ArithmeticKind::BeyondPrecision);
      // Within the error of a whole multiple the remainder is zero: 0.3 % 0.1.
      if (std::fabs(v.number) <= v.error || std::fabs(y) - std::fabs(v.number) <= v.error + b.error) v.number = 0;
      break;
    }
    case '^':
      if (x == 0 && y < 0) {
        Fail(r, ArithmeticKind::DivisionByZero);
        return a;
      }
      v.number = Power(x, y);
      if (std::isnan(v.number)) Fail(r, ArithmeticKind::NotARealNumber);
      if (x != 0 && Underflowed(v.number)) Fail(r, ArithmeticKind::Underflow);
      if (x == 0) {
        v.error = y > 0 && a.error > 0 ? Power(a.error, y) : 0;
      } else if (!(exactWholes && y >= 0 && std::fabs(v.number) <= EXACT_WHOLE_LIMIT)) {
        const double relative =
            std::fabs(y) * a.error / std::fabs(x) + static_cast<double>(std::fabs(std::log(std::fabs(x)))) * b.error;
        // Multiplied out, a whole power may round at each step; from the logarithm, once,
        // and as much again as that may carry.
        const double own =
            (IsWhole(y) && std::fabs(y) <= MOST_MULTIPLIED_POWER ? std::fabs(y) : 0) + 2 + PowerRoundings(x, y);
        v.error = std::fabs(v.number) * (relative + own * ROUNDING);
      }
      break;
  }
  if (std::isinf(v.number) || std::isinf(v.error)) Fail(r, ArithmeticKind::Overflow);
  return v;
}

Value Sum(Reader& r);

// A sign, or an operand and the power it is raised to: the power binds tighter than a sign
// before it, and its own exponent may carry a sign.
Value Signed(Reader& r) {
  if (++r.depth > MAX_ARITHMETIC_DEPTH) r.malformed = true;
  if (r.malformed) return {};
  Value v;
  const char c = Peek(r);
  if (c == '-' || c == '+') {
    ++r.at;
    v = Signed(r);
    if (c == '-') v.number = -v.number;
    --r.depth;
    return v;
  }
  if (c == '(') {
    ++r.at;
    v = Sum(r);
    if (Peek(r) == ')')
      ++r.at;
    else
      r.malformed = true;
  } else {
    v = ReadNumber(r);
  }
  if (!r.malformed && Peek(r) == '^') {
    ++r.at;
    ++r.operators;
    v = Apply(r, '^', v, Signed(r));
  }
  --r.depth;
  return v;
}

Value Product(Reader& r) {
  Value v = Signed(r);
  for (char c; !r.malformed && ((c = Peek(r)) == '*' || c == '/' || c == '%');) {
    ++r.at;
    ++r.operators;
    v = Apply(r, c, v, Signed(r));
  }
  return v;
}

Value Sum(Reader& r) {
  Value v = Product(r);
  for (char c; !r.malformed && ((c = Peek(r)) == '+' || c == '-');) {
    ++r.at;
    ++r.operators;
    v = Apply(r, c, v, Product(r));
  }
  return v;
}

}  // namespace

std::optional<ArithmeticResult> EvaluateArithmetic(std::string_view line, std::string_view decimalSeparator) {
  if (line.size() > MAX_ARITHMETIC_LINE_LENGTH || !IsUsableSeparator(decimalSeparator)) return std::nullopt;
  Reader r{line, decimalSeparator};
  const Value v = Sum(r);
  Peek(r);  // past the blanks at the end
  if (r.malformed || r.at != line.size() || r.operators == 0) return std::nullopt;
  if (r.kind != ArithmeticKind::Number) return ArithmeticResult{r.kind, 0, 0};
  // Where the error reaches half a unit of the first digit, no digit is certain.
  if (v.number != 0 && 2 * v.error > Power(10.0, std::floor(std::log10(std::fabs(v.number)))))
    return ArithmeticResult{ArithmeticKind::BeyondPrecision, 0, 0};
  return ArithmeticResult{ArithmeticKind::Number, v.number, v.error};
}

namespace {

void AppendWhole(std::string& text, uint64_t whole) {
  char digits[20];
  int count = 0;
  do digits[count++] = static_cast<char>('0' + whole % 10);
  while ((whole /= 10) != 0);
  while (count > 0) text += digits[--count];
}

}  // namespace

std::string FormatArithmeticResult(const ArithmeticResult& result, std::string_view decimalSeparator) {
  switch (result.kind) {
    case ArithmeticKind::Number:
      break;
    case ArithmeticKind::DivisionByZero:
      return DIVISION_BY_ZERO_TEXT;
    case ArithmeticKind::Overflow:
      return OVERFLOW_TEXT;
    case ArithmeticKind::Underflow:
      return UNDERFLOW_TEXT;
    case ArithmeticKind::NotARealNumber:
      return NOT_A_REAL_NUMBER_TEXT;
    case ArithmeticKind::BeyondPrecision:
      return BEYOND_PRECISION_TEXT;
  }
  const double magnitude = std::fabs(result.value);
  if (std::isnan(magnitude)) return NOT_A_REAL_NUMBER_TEXT;
  if (std::isinf(magnitude)) return OVERFLOW_TEXT;
  if (magnitude == 0) return "0";
  // The value with 15 digits before the point, found from its decimal exponent.
  int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
  long double scaled = Scaled(magnitude, MOST_DIGITS - 1 - exponent);
  if (scaled >= POWERS_OF_TEN[MOST_DIGITS] || scaled < POWERS_OF_TEN[MOST_DIGITS - 1]) {
    exponent += scaled < POWERS_OF_TEN[MOST_DIGITS - 1] ? -1 : 1;
    scaled = Scaled(magnitude, MOST_DIGITS - 1 - exponent);
  }
  // As many digits as the error leaves certain, rounded half away from zero: the least and
  // the greatest value the error allows round to the same digits.
  const long double scaledError = result.error * (scaled / magnitude);
  const auto rounded = [](long double value, int digits) {
    return std::floor(value / POWERS_OF_TEN[MOST_DIGITS - digits] + 0.5L);
  };
  int digits = MOST_DIGITS;
  while (digits > 1 && rounded(scaled - scaledError, digits) != rounded(scaled + scaledError, digits)) --digits;
  uint64_t kept = static_cast<uint64_t>(scaled / POWERS_OF_TEN[MOST_DIGITS - digits] + 0.5L);
  if (kept >= static_cast<uint64_t>(POWERS_OF_TEN[digits])) {
    kept /= 10;
    ++exponent;
  }
  while (kept % 10 == 0) kept /= 10;
  std::string shown;
  AppendWhole(shown, kept);

  std::string text = result.value < 0 ? "-" : "";
  if (exponent < -4 || exponent >= MOST_DIGITS) {
    text += shown[0];
    if (shown.size() > 1) text.append(decimalSeparator).append(shown, 1);
    text += exponent < 0 ? "E-" : "E+";
    if (std::abs(exponent) < 10) text += '0';
    AppendWhole(text, static_cast<uint64_t>(std::abs(exponent)));
  } else if (exponent >= 0) {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    text.append(shown, 0, whole);
    if (shown.size() > whole)
      text.append(decimalSeparator).append(shown, whole);
    else
      text.append(whole - shown.size(), '0');
  } else {
    text.append("0").append(decimalSeparator).append(static_cast<size_t>(-exponent - 1), '0').append(shown);
  }
  return text;
}
