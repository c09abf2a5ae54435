#include "countdown/countdown_win.h"

#include "base/app_state_win.h"
#include "base/themed_dialog_win.h"
#include "countdown/countdown.h"
#include "countdown/shutdown.h"
#include "countdown/shutdown_win.h"
#include "resources/resource.h"

namespace {

const COLORREF COUNTDOWN_BACK_COLOR = RGB(255, 255, 0);
// Where the time is drawn: the bar's top-right corner.
const int COUNTDOWN_LEFT_FROM_RIGHT = 64;
const int COUNTDOWN_TOP = 1;

}  // namespace

void StartCountdown(std::string_view parameters) {
  const bool cancel = parameters == "cancel";
  if (cancel || countdownState.running) ResetCountdown();
  if (cancel) return;
  const auto amount = ParseCountdownAmount(parameters);
  if (!amount) return;
  SetCountdown(countdownState, *amount);
  SetTimer(appState.mainWindow, COUNTDOWN_TIMER_ID, 1000, NULL);
  DrawCountdown();
}

void CountdownTick() {
  const CountdownTickResult tick = TickCountdown(countdownState);
  if (tick.showWarning)
    appState.warningDialog = CreateThemedDialog(IDD_AUTO_SHUTDOWN, appState.mainWindow, ShutdownWarningProc);
  if (tick.expired) {
    KillTimer(appState.mainWindow, COUNTDOWN_TIMER_ID);
    ExitSystem(EXIT_POWEROFF);
  }
  DrawCountdown();
}

void ResetCountdown() {
  KillTimer(appState.mainWindow, COUNTDOWN_TIMER_ID);
  ClearCountdown(countdownState);
  InvalidateRect(appState.mainWindow, NULL, FALSE);
  if (appState.warningDialog) DestroyWindow(appState.warningDialog);
  appState.warningDialog = NULL;
}

void DrawCountdown() {
  char text[9];
  FormatCountdown(countdownState, text);
  const HDC dc = GetDC(appState.mainWindow);
  const HGDIOBJ oldFont = SelectObject(dc, appState.countdownFont);
  SetBkColor(dc, COUNTDOWN_BACK_COLOR);
  RECT client;
  GetClientRect(appState.mainWindow, &client);
  TextOutA(dc, client.right - COUNTDOWN_LEFT_FROM_RIGHT, COUNTDOWN_TOP, text, 8);
  SelectObject(dc, oldFont);
  ReleaseDC(appState.mainWindow, dc);
}
