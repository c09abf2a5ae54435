#pragma once
#include <windows.h>

#include <cstdint>

const int COMMAND_EDIT_ID = 1;

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the bar's opacity, in percent of fully opaque.
void ApplyTranslucency(int32_t percent);
