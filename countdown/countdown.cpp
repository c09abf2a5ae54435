#include "countdown/countdown.h"

#include <algorithm>
#include <cstdint>

CountdownState countdownState;

namespace {

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// As atoi reads a number: blanks, a sign, digits up to the first other character; no
// digits give 0. Beyond 32 bits it stays at the nearest end instead of overflowing.
int32_t ReadNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT32_MAX} + 1);
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

std::optional<CountdownAmount> ParseCountdownAmount(std::string_view text) {
  int32_t values[3] = {0, 0, 0};
  bool read[3] = {false, false, false};
  const std::string_view units = "hms";
  size_t numberStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t unit = units.find(text[i]);
    if (unit == std::string_view::npos || read[unit]) continue;  // part of the number text
    values[unit] = ReadNumber(text.substr(numberStart, i - numberStart));
    read[unit] = true;
    numberStart = i + 1;
  }
  const CountdownAmount amount = {std::min(values[0], MAX_COUNTDOWN_HOURS), std::min(values[1], MAX_COUNTDOWN_MINUTES),
                                  std::min(values[2], MAX_COUNTDOWN_SECONDS)};
  if (amount.hours < 0 || amount.minutes < 0 || amount.seconds < 0) return std::nullopt;
  if (amount.hours == 0 && amount.minutes == 0 && amount.seconds == 0) return std::nullopt;
  return amount;
}

void ClearCountdown(CountdownState& state) {
  state = CountdownState{};
}

void SetCountdown(CountdownState& state, CountdownAmount amount) {
  state.hours = amount.hours;
  state.minutes = amount.minutes;
  state.seconds = amount.seconds;
  state.running = true;
}

CountdownTickResult TickCountdown(CountdownState& state) {
  if (--state.seconds < 0) {
    state.seconds = 59;
    if (--state.minutes < 0) {
      state.minutes = 59;
      --state.hours;
    }
  }
  CountdownTickResult result = {false, false};
  if (state.hours != 0 || state.minutes != 0) return result;
  if (state.seconds <= COUNTDOWN_WARNING_SECONDS && !state.warningShown) {
    state.warningShown = true;
    result.showWarning = true;
  }
  if (state.seconds == 0) {
    state.running = false;
    result.expired = true;
  }
  return result;
}

void FormatCountdown(const CountdownState& state, char (&text)[9]) {
  const int32_t parts[] = {state.hours, state.minutes, state.seconds};
  for (int i = 0; i < 3; ++i) {
    text[i * 3] = static_cast<char>('0' + parts[i] / 10 % 10);
    text[i * 3 + 1] = static_cast<char>('0' + parts[i] % 10);
    text[i * 3 + 2] = ':';
  }
  text[8] = '\0';
}
