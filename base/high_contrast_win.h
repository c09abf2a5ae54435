#pragma once

// Windows' high-contrast mode, in which the bar shows the system's colours in place of its
// skin and the user's colours, fully opaque.

// Whether the mode is on now. A pointer, which the Win32 tests replace as they replace the
// irreversible calls: Wine never reports the mode on.
extern bool (*highContrastOn)();
