#pragma once
#include <windows.h>

#include <string_view>

// The main window's only timer: one countdown second.
const UINT_PTR COUNTDOWN_TIMER_ID = 1;

// "sysoff" with its parameters: "cancel" stops a running countdown; an amount (re)starts
// it, drawn on the bar and ticking once a second; anything else only stops it.
void StartCountdown(std::string_view parameters);

// A timer second: the warning at 24 seconds, the power-off at zero.
void CountdownTick();

// Stops the countdown, closes its warning and lets the next paint remove the time.
void ResetCountdown();

// Draws the time left over the skin's top-right corner.
void DrawCountdown();
