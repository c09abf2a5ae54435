#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// The countdown to power-off that "sysoff" starts, one second per timer tick.
struct CountdownState {
  int32_t hours = 0;
  int32_t minutes = 0;
  int32_t seconds = 0;
  bool running = false;       // the timer ticks
  bool warningShown = false;  // this countdown's warning has come up
};

extern CountdownState countdownState;

// The warning comes up when no more than this many seconds are left.
constexpr int32_t COUNTDOWN_WARNING_SECONDS = 24;

// Larger amounts are cut to these; the display has two digits for each unit.
constexpr int32_t MAX_COUNTDOWN_HOURS = 99;
constexpr int32_t MAX_COUNTDOWN_MINUTES = 60;
constexpr int32_t MAX_COUNTDOWN_SECONDS = 60;

struct CountdownAmount {
  int32_t hours;
  int32_t minutes;
  int32_t seconds;
};

// The amount after "sysoff", such as "1h30m" or "30s 2m": each unit letter (lower-case h,
// m or s, first of its kind) takes the number typed before it, read as atoi reads it;
// anything after the last unit is ignored. Amounts are cut to the maxima above. None
// when nothing or less than nothing is left to count.
std::optional<CountdownAmount> ParseCountdownAmount(std::string_view text);

// Stops the countdown and forgets its warning.
void ClearCountdown(CountdownState& state);

// Starts counting from amount; a warning already shown for this countdown stays shown.
void SetCountdown(CountdownState& state, CountdownAmount amount);

struct CountdownTickResult {
  bool showWarning;  // the warning is due now, once per countdown
  bool expired;      // the time is up: the countdown has stopped, power off
};

// One second less, borrowing from the minutes and hours.
CountdownTickResult TickCountdown(CountdownState& state);

// "hh:mm:ss".
void FormatCountdown(const CountdownState& state, char (&text)[9]);
