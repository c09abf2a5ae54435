#pragma once
#include <windows.h>

#include <string_view>

// The main window's only timer: one countdown second.
const UINT_PTR COUNTDOWN_TIMER_ID = 1;

// The small font the time is drawn in, height pixels high (as a font's negative height).
HFONT CreateCountdownFont(int height);

// "sysoff" with its parameters: "cancel" stops a running countdown; an amount (re)starts
// it, drawn on the bar and ticking once a second; anything else only stops it.
void StartCountdown(std::string_view parameters);

// A timer second: the warning at 24 seconds, the power-off at zero.
void CountdownTick();
