#include "command/typed_line_history.h"

#include <algorithm>

#include "base/utf8.h"
#include "command/entered_line.h"

TypedLineHistory typedLineHistory;

void TypedLineHistory::Remember(std::string_view line) {
  position_ = NOT_WALKING;
  // UTF-8 is cut between two characters, never inside one.
  line = line.substr(0, IsValidUtf8(line) ? Utf8CutLength(line, MAX_LINE_LENGTH) : MAX_LINE_LENGTH);
  if (line.empty() || line.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return;
  const auto kept = std::find(lines_.begin(), lines_.end(), line);
  if (kept != lines_.end()) {
    std::rotate(lines_.begin(), kept, kept + 1);
    return;
  }
  if (lines_.size() == MAX_HISTORY_LINES) lines_.pop_back();
  lines_.insert(lines_.begin(), std::string(line));
}

void TypedLineHistory::Forget() {
  lines_.clear();
  position_ = NOT_WALKING;
}

bool TypedLineHistory::Walking(std::string_view shown) const {
  return position_ < lines_.size() && lines_[position_] == shown;
}

std::optional<std::string> TypedLineHistory::Older(std::string_view shown) {
  if (Walking(shown)) {
    if (position_ + 1 < lines_.size()) ++position_;
    return lines_[position_];
  }
  if (lines_.empty()) return std::nullopt;
  typed_ = shown;
  // A line just run stays in the box and is the newest: the first step goes past it.
  position_ = lines_.size() > 1 && lines_[0] == shown ? 1 : 0;
  return lines_[position_];
}

std::optional<std::string> TypedLineHistory::Newer(std::string_view shown) {
  if (!Walking(shown)) return std::nullopt;
  if (position_ > 0) return lines_[--position_];
  position_ = NOT_WALKING;
  return typed_;
}

std::optional<std::string> TypedLineHistory::Abandon(std::string_view shown) {
  if (!Walking(shown)) return std::nullopt;
  position_ = NOT_WALKING;
  return typed_;
}
