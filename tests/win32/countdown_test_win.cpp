#include <windows.h>

#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "countdown/countdown.h"
#include "countdown/countdown_win.h"

namespace {

void Tick() {
  SendMessageA(appState.mainWindow, WM_TIMER, COUNTDOWN_TIMER_ID, 0);
}

using Log = std::vector<std::string>;

}  // namespace

TEST_F(BarTest, SysCommandsSaveBothFilesThenAskWindows) {
  StartBar();
  struct Case {
    const char* line;
    const char* os;
    BOOL answer;
    Log log;
  };
  const Case cases[] = {
      {"sys s", "Windows_NT", FALSE, {"privilege on", "exit 8 saved", "exit 1 saved", "privilege off"}},
      {"sys sf", "Windows_NT", FALSE, {"privilege on", "exit 12 saved", "exit 1 saved", "privilege off"}},
      {"sys r", "Windows_95", FALSE, {"exit 2 saved"}},
      {"sys l", NULL, TRUE, {"exit 0 saved"}},
      {"sys S", "Windows_NT", TRUE, {}},
  };
  for (const Case& c : cases) {
    DeleteFileA("config.dat");
    DeleteFileA("keyentries.dat");
    SetEnvironmentVariableA("OS", c.os);
    exitWindowsAnswer = c.answer;
    irreversibleLog.clear();
    EnterLine(c.line);
    EXPECT_EQ(irreversibleLog, c.log) << c.line << " with OS " << (c.os ? c.os : "unset");
  }
  SetEnvironmentVariableA("OS", "Windows_NT");
}

TEST_F(BarTest, CountdownWarnsOnceAndPowersOffAtZero) {
  StartBar();
  EnterLine("sysoff 0h0m26s");
  Tick();
  EXPECT_EQ(appState.warningDialog, nullptr) << "25 seconds left";
  Tick();
  const HWND warning = appState.warningDialog;
  ASSERT_NE(warning, nullptr) << "24 seconds left";
  EXPECT_EQ(GetWindow(warning, GW_OWNER), appState.mainWindow);
  for (int second = 23; second > 0; --second) Tick();
  EXPECT_EQ(appState.warningDialog, warning) << "one warning per countdown";
  EXPECT_EQ(irreversibleLog, Log{}) << "one second left";
  Tick();
  EXPECT_EQ(irreversibleLog, (Log{"privilege on", "exit 8 saved", "privilege off"}));
  EXPECT_TRUE(IsWindow(warning)) << "the warning stays while Windows may refuse";

  SendMessageA(warning, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(warning));
  EXPECT_EQ(appState.warningDialog, nullptr);
}

TEST_F(BarTest, CancelANewAmountOrNoAmountCloseTheWarning) {
  StartBar();
  for (const char* stop : {"sysoff cancel", "sysoff 10m", "sysoff nothing"}) {
    EnterLine("sysoff 3s");
    Tick();
    const HWND warning = appState.warningDialog;
    ASSERT_NE(warning, nullptr) << stop;
    EnterLine(stop);
    EXPECT_FALSE(IsWindow(warning)) << stop;
    EXPECT_EQ(countdownState.minutes, std::string(stop) == "sysoff 10m" ? 10 : 0) << stop;
  }
  EXPECT_EQ(irreversibleLog, Log{});
}
