#include "countdown/countdown.h"
#include "countdown/shutdown.h"

#include <gtest/gtest.h>

TEST(Countdown, ReadsUnitsInAnyOrderAndCutsLargeAmounts) {
  // What "sysoff" followed by the text starts.
  const std::pair<const char*, const char*> cases[] = {
      {"1h30s", "01:00:30"}, {"30s 2m", "00:02:30"}, {"90s", "00:00:60"},         {"5m10", "00:05:00"},
      {"1h2h", "01:00:00"},  {" 2 h", "02:00:00"},   {"4294967297h", "99:00:00"}, {"5", "none"},
      {"1H30M", "none"},     {"0h0m0s", "none"},     {"1h-30m", "none"},
  };
  for (const auto& [text, shown] : cases) {
    CountdownState state;
    if (const auto amount = ParseCountdownAmount(text)) SetCountdown(state, *amount);
    char display[9] = "none";
    if (state.running) FormatCountdown(state, display);
    EXPECT_STREQ(display, shown) << text;
  }
}

TEST(Countdown, WarnsOnceAt24SecondsLeftInAllAndExpiresAtZero) {
  CountdownState state;
  for (const char* amount : {"30s", "1h0m30s", "1h30s", "60m"}) {
    ClearCountdown(state);
    SetCountdown(state, ParseCountdownAmount(amount).value());
    for (int32_t left = state.hours * 3600 + state.minutes * 60 + state.seconds - 1; left >= 0; --left) {
      const CountdownTickResult result = TickCountdown(state);
      ASSERT_EQ(state.hours * 3600 + state.minutes * 60 + state.seconds, left) << amount;
      ASSERT_EQ(std::pair(result.showWarning, result.expired), std::pair(left == 24, left == 0))
          << amount << " with " << left << " s left";
    }
    EXPECT_FALSE(state.running) << amount;
  }
  // A new amount after the expiry counts without a second warning (while a cleared one, as
  // above, warns again).
  SetCountdown(state, {0, 0, 5});
  EXPECT_FALSE(TickCountdown(state).showWarning);
}

TEST(SystemCommandExitFlags, TakesExactlyTheFourCodes) {
  // The parameters and the exit request they make; {} for none.
  const std::pair<const char*, std::optional<uint32_t>> cases[] = {
      {"l", EXIT_LOGOFF}, {"s", EXIT_POWEROFF}, {"r", EXIT_REBOOT}, {"sf", EXIT_POWEROFF | EXIT_FORCE},
      {"S", {}},          {"s ", {}},           {" s", {}},         {"", {}},
      {"sff", {}},
  };
  for (const auto& [parameters, flags] : cases) EXPECT_EQ(SystemCommandExitFlags(parameters), flags) << parameters;
}
