#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "settings/hot_key.h"

// The bar's global hot key, held by the main window; appState tells under which id and
// whether it is held at all.

// At the main window's creation: registers the settings' key. A stored key the bar may
// not take (only a hand-edited file holds one) becomes Ctrl+Alt+K first.
void RegisterBarHotKey(HWND mainWindow);

// Makes key the bar's hot key: it is registered before the old one is released, so that
// when it cannot be had (false) the old one keeps working. The settings are the caller's.
bool ChangeBarHotKey(HotKey key);

void UnregisterBarHotKey();

// Another copy of Pellomar that holds key: the path of its program, or "" where that
// cannot be read; none when no other copy holds it (another program may).
std::optional<std::string> CopyHoldingHotKey(HotKey key);
