#include "countdown/countdown_win.h"

#include "base/app_state_win.h"
#include "base/themed_dialog_win.h"
#include "countdown/countdown.h"
#include "countdown/shutdown.h"
#include "countdown/shutdown_win.h"
#include "resources/resource.h"

namespace {

const UINT COUNTDOWN_TICK_MILLISECONDS = 1000;
// The time is drawn in small Arial on yellow at the bar's top-right corner.
const char COUNTDOWN_FONT_FACE[] = "Arial";
const COLORREF COUNTDOWN_BACK_COLOR = RGB(255, 255, 0);
const COLORREF COUNTDOWN_TEXT_COLOR = RGB(0, 0, 0);

// Straight onto the window, outside WM_PAINT: a repaint shows the bare skin until the
// next tick draws the time again, and the time leaves with the countdown by itself.
void DrawCountdown() {
  char text[9];
  FormatCountdown(countdownState, text);
  const HDC dc = GetDC(appState.mainWindow);
  const HGDIOBJ oldFont = SelectObject(dc, appState.countdownFont);
  // In high contrast, in the colours of what is to stand out.
  SetBkColor(dc, appState.highContrast ? GetSysColor(COLOR_HIGHLIGHT) : COUNTDOWN_BACK_COLOR);
  SetTextColor(dc, appState.highContrast ? GetSysColor(COLOR_HIGHLIGHTTEXT) : COUNTDOWN_TEXT_COLOR);
  TextOutA(dc, appState.barLayout.countdownLeft, appState.barLayout.countdownTop, text, 8);
  SelectObject(dc, oldFont);
  ReleaseDC(appState.mainWindow, dc);
}

// Stops the countdown, closes its warning and lets the next paint remove the time.
void ResetCountdown() {
  KillTimer(appState.mainWindow, COUNTDOWN_TIMER_ID);
  ClearCountdown(countdownState);
  InvalidateRect(appState.mainWindow, NULL, FALSE);
  if (appState.warningDialog) DestroyWindow(appState.warningDialog);
  appState.warningDialog = NULL;
}

// The warning of the last seconds; its one button cancels the power-off. It takes the
// keyboard as it comes up, so that Enter, Esc or Space cancels and a screen reader reads
// it out at once.
INT_PTR CALLBACK ShutdownWarningProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;  // the focus goes to the button
  if (message != WM_COMMAND || wParam != IDCANCEL) return FALSE;
  ResetCountdown();  // which closes this dialog
  return TRUE;
}

}  // namespace

HFONT CreateCountdownFont(int height) {
  return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, COUNTDOWN_FONT_FACE);
}

void StartCountdown(std::string_view parameters) {
  const bool cancel = parameters == "cancel";
  if (cancel || countdownState.running) ResetCountdown();
  if (cancel) return;
  const auto amount = ParseCountdownAmount(parameters);
  if (!amount) return;
  SetCountdown(countdownState, *amount);
  SetTimer(appState.mainWindow, COUNTDOWN_TIMER_ID, COUNTDOWN_TICK_MILLISECONDS, NULL);
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
