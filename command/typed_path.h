#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A line that starts like a path lists, under the bar, the entries of the folder typed so
// far whose names start with what follows its last separator; Tab takes the chosen one into
// the box. The whole line is the path, blanks and all, so no quotes are needed: a line with
// a quote, or any other character Windows allows in no name (* ? < > | : after the start,
// control characters), is no path, and neither is a line with blanks before it.
struct TypedPath {
  std::string_view folder;  // as typed, to the last '\' or '/' and with it: "%TEMP%\logs\"
  std::string_view piece;   // after it: what the names listed start with, maybe nothing
};

// A line reads as a path when it starts with one of these, '/' serving as well as '\'
// wherever one appears, except in the two that open a network path:
//   C:\            any drive letter
//   \\server\share\    a network share: nothing is listed before the separator after the
//                      share's name, so "\\server\" and "\\server\share" are no path yet
//   %NAME%\        an environment variable (the caller expands the folder before listing)
//   .\  ..\        the current folder or its parent
// A line that starts with anything else, a key word before a path ("x C:\") or a drive
// without a separator ("C:", "C:name") included, is no path.
std::optional<TypedPath> ParseTypedPath(std::string_view line);

// One entry of a listed folder, as the folder's enumeration found it.
struct PathEntry {
  std::string name;  // UTF-8
  bool isFolder = false;
  bool hidden = false;  // the hidden or the system attribute
};

// The list shows a few rows; scrolling goes no further than these.
constexpr size_t MAX_PATH_ENTRIES_SHOWN = 64;

// Letter case folding for comparisons: the same text for two names that differ only in case.
using CaseFold = std::string (*)(std::string_view text);

// Folds A-Z and, in UTF-8, the letters of Latin-1, Latin Extended-A, Greek and Cyrillic to
// lower case, one letter for one; everything else, broken UTF-8 included, is kept.
std::string FoldBasicCase(std::string_view text);

// The entries whose names start with piece, letter case folded by fold, folders first,
// each group in folded-name order (ties by the names' bytes), at most
// MAX_PATH_ENTRIES_SHOWN of them. "." and ".." never show; hidden and system entries only
// once the piece is not empty, so that a bare "C:\" lists what Explorer shows, while
// "C:\Users\me\Ap" still finds AppData. The folder's whole listing stays the caller's, to be
// matched again as the piece grows.
std::vector<PathEntry> MatchPathEntries(std::string_view piece, const std::vector<PathEntry>& entries,
                                        CaseFold fold = FoldBasicCase);

// What Tab puts in the box: the folder as typed, the entry's name, and for a folder the
// separator that closes the typed folder, so that its own entries are listed next.
std::string CompletedLine(std::string_view folderTyped, const PathEntry& entry);
