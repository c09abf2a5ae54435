#include "command/typed_path.h"

#include <algorithm>

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// What Windows allows in no file name. A ':' is allowed only after a drive letter, which
// the start of the line has taken by the time this is asked.
bool IsForbidden(char c) {
  return static_cast<unsigned char>(c) < ' ' || std::string_view("\"*:<>?|").find(c) != std::string_view::npos;
}

// A name before a separator (a server's, a share's) or before the '%' that closes a
// variable: where it ends, or npos where it is empty or does not end in time.
size_t EndOfRootName(std::string_view line, size_t start, bool variable) {
  size_t at = start;
  while (at < line.size() && !(variable && line[at] == '%') && !IsSeparator(line[at]) && !IsForbidden(line[at])) ++at;
  const bool ended = at < line.size() && (variable ? line[at] == '%' : IsSeparator(line[at]));
  return at > start && ended ? at : std::string_view::npos;
}

// The length of the line's start that makes it a path, with the separator after it, or 0.
size_t RootLength(std::string_view line) {
  const auto separatorAt = [&](size_t at) { return at < line.size() && IsSeparator(line[at]); };
  const char first = line.empty() ? '\0' : line[0];
  if (((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')) && line.size() > 1 && line[1] == ':' &&
      separatorAt(2))
    return 3;
  if (line.compare(0, 2, "\\\\") == 0) {
    const size_t serverEnd = EndOfRootName(line, 2, false);
    if (serverEnd == std::string_view::npos) return 0;
    const size_t shareEnd = EndOfRootName(line, serverEnd + 1, false);
    return shareEnd == std::string_view::npos ? 0 : shareEnd + 1;
  }
  if (first == '%') {
    const size_t nameEnd = EndOfRootName(line, 1, true);
    return nameEnd != std::string_view::npos && separatorAt(nameEnd + 1) ? nameEnd + 2 : 0;
  }
  if (line.compare(0, 2, "..") == 0 && separatorAt(2)) return 3;
  if (first == '.' && separatorAt(1)) return 2;
  return 0;
}

// Upper-case letters of the two-byte UTF-8 range and their lower-case partners.
unsigned FoldedCodePoint(unsigned c) {
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
    return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  // Latin Extended-A pairs its letters upper then lower, its odd-numbered start aside.
  const bool upperEven = (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  const bool upperOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((upperEven && c % 2 == 0) || (upperOdd && c % 2 == 1)) return c + 1;
  if (c == 0x178) return 0xFF;   // Y with diaeresis
  if (c == 0x386) return 0x3AC;  // Greek alpha with tonos
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c == 0x3C2) return 0x3C3;  // the final sigma is a sigma
  return c;
}

}  // namespace

std::optional<TypedPath> ParseTypedPath(std::string_view line) {
  const size_t root = RootLength(line);
  if (root == 0) return std::nullopt;
  for (size_t at = root; at < line.size(); ++at)
    if (IsForbidden(line[at])) return std::nullopt;
  const size_t lastSeparator = line.find_last_of("\\/");
  return TypedPath{line.substr(0, lastSeparator + 1), line.substr(lastSeparator + 1)};
}

std::string FoldBasicCase(std::string_view text) {
  std::string folded(text);
  for (size_t at = 0; at < folded.size(); ++at) {
    const unsigned char lead = static_cast<unsigned char>(folded[at]);
    if (lead >= 'A' && lead <= 'Z') {
      folded[at] = static_cast<char>(lead + ('a' - 'A'));
      continue;
    }
    const unsigned char trail = at + 1 < folded.size() ? static_cast<unsigned char>(folded[at + 1]) : 0;
    if (lead < 0xC2 || lead > 0xDF || (trail & 0xC0) != 0x80) continue;
    // Every letter folded here, and its lower case, is two bytes long.
    const unsigned lower = FoldedCodePoint(((lead & 0x1Fu) << 6) | (trail & 0x3Fu));
    folded[at] = static_cast<char>(0xC0 | (lower >> 6));
    folded[++at] = static_cast<char>(0x80 | (lower & 0x3F));
  }
  return folded;
}

std::vector<PathEntry> MatchPathEntries(std::string_view piece, const std::vector<PathEntry>& entries, CaseFold fold) {
  struct Match {
    std::string folded;
    const PathEntry* entry;
  };
  const std::string foldedPiece = fold(piece);
  std::vector<Match> matches;
  matches.reserve(entries.size());
  for (const PathEntry& entry : entries) {
    if (entry.name == "." || entry.name == ".." || (entry.hidden && piece.empty())) continue;
    std::string folded = fold(entry.name);
    if (folded.compare(0, foldedPiece.size(), foldedPiece) == 0) matches.push_back({std::move(folded), &entry});
  }
  const size_t shown = std::min(matches.size(), MAX_PATH_ENTRIES_SHOWN);
  std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(shown), matches.end(),
                    [](const Match& a, const Match& b) {
                      if (a.entry->isFolder != b.entry->isFolder) return a.entry->isFolder;
                      if (a.folded != b.folded) return a.folded < b.folded;
                      return a.entry->name < b.entry->name;
                    });
  std::vector<PathEntry> listed;
  listed.reserve(shown);
  for (size_t i = 0; i < shown; ++i) listed.push_back(*matches[i].entry);
  return listed;
}

std::string CompletedLine(std::string_view folderTyped, const PathEntry& entry) {
  std::string line(folderTyped);
  line += entry.name;
  if (entry.isFolder) line += folderTyped.empty() ? '\\' : folderTyped.back();
  return line;
}
