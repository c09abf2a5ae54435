#pragma once
#include <string>
#include <string_view>

#include "command/typed_line_history.h"

// "history.txt": the typed lines as text in the program's code page, one per line,
// oldest first, each ended by CR LF, so that the user may read and edit it.
std::string EncodeHistory(const TypedLineHistory& history);

// Brings a line read from the file into the program's code page, in place.
using LineFromFile = void (*)(std::string& line);

// Reads the lines in any of CR LF, LF or CR endings, each converted on its own (a line
// another version wrote may stand among newer ones), as if each had just been run: empty
// lines are skipped, long ones cut, a repeated line counts where it was last, and only the
// newest MAX_HISTORY_LINES are kept. A file holding a NUL byte is no text (a damaged file,
// or another program's) and gives an empty history.
TypedLineHistory DecodeHistory(std::string_view text, LineFromFile convert = nullptr);
