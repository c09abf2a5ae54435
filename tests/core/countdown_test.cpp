#include "countdown/countdown.h"
#include "countdown/shutdown.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Shown(const CountdownState& state) {
  char text[9];
  FormatCountdown(state, text);
  return text;
}

CountdownState Started(const char* amount) {
  CountdownState state;
  SetCountdown(state, ParseCountdownAmount(amount).value());
  return state;
}

}  // namespace

TEST(Countdown, ReadsUnitsInAnyOrderAndCutsLargeAmounts) {
  struct Case {
    const char* text;
    const char* shown;  // nullptr: nothing starts
  };
  const Case cases[] = {
      {"1h30m", "01:30:00"}, {"30m15s", "00:30:15"},       {"30s 2m", "00:02:30"}, {"90s", "00:00:60"},
      {"60m", "00:60:00"},   {"150h", "99:00:00"},         {"5m10", "00:05:00"},   {"1h1h", "01:00:00"},
      {" 2 h", "02:00:00"},  {"99999999999h", "99:00:00"}, {"5", nullptr},         {"1H30M", nullptr},
      {"cancel", nullptr},   {"0h0m0s", nullptr},          {"", nullptr},          {"-5m", nullptr},
      {"1h-30m", nullptr},   {"-99999999999h", nullptr},
  };
  for (const Case& c : cases) {
    const auto amount = ParseCountdownAmount(c.text);
    ASSERT_EQ(amount.has_value(), c.shown != nullptr) << c.text;
    if (amount) EXPECT_EQ(Shown(Started(c.text)), c.shown) << c.text;
  }
}

TEST(Countdown, TicksBorrowFromTheLargerUnits) {
  const char* const steps[][2] = {{"90s", "00:00:59"}, {"60m", "00:59:59"}, {"1h", "00:59:59"}, {"1h1s", "01:00:00"}};
  for (const auto& step : steps) {
    CountdownState state = Started(step[0]);
    TickCountdown(state);
    EXPECT_EQ(Shown(state), step[1]) << step[0];
  }
}

TEST(Countdown, WarnsOnceAt24SecondsAndExpiresOnceAtZero) {
  CountdownState state = Started("30s");
  int warnings = 0;
  int expiries = 0;
  for (int tick = 1; tick <= 30; ++tick) {
    const CountdownTickResult result = TickCountdown(state);
    if (result.showWarning) {
      EXPECT_EQ(tick, 6) << "after the decrement to 24";
      ++warnings;
    }
    expiries += result.expired;
  }
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(expiries, 1);
  EXPECT_FALSE(state.running);
  EXPECT_EQ(Shown(state), "00:00:00");

  // A new amount after the expiry counts without a second warning; a cleared one warns again.
  SetCountdown(state, {0, 0, 5});
  EXPECT_FALSE(TickCountdown(state).showWarning);
  ClearCountdown(state);
  SetCountdown(state, {0, 0, 5});
  EXPECT_TRUE(TickCountdown(state).showWarning);
}

TEST(SystemCommand, TakesExactlyTheFourCodes) {
  EXPECT_EQ(SystemCommandExitFlags("l"), EXIT_LOGOFF);
  EXPECT_EQ(SystemCommandExitFlags("s"), EXIT_POWEROFF);
  EXPECT_EQ(SystemCommandExitFlags("r"), EXIT_REBOOT);
  EXPECT_EQ(SystemCommandExitFlags("sf"), EXIT_POWEROFF | EXIT_FORCE);
  for (const char* other : {"S", "s ", " s", "", "sff", "L"})
    EXPECT_EQ(SystemCommandExitFlags(other), std::nullopt) << other;
}
