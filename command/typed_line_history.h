#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr size_t MAX_HISTORY_LINES = 100;

// The lines run from the command box, newest first and each once, and the walk through
// them with Up and Down. A walk starts from the line being typed, which it gives back
// past the newest line or when abandoned; it ends by itself once the box shows anything
// but the line it stepped to, so editing a shown line makes it the line being typed.
class TypedLineHistory {
 public:
  const std::vector<std::string>& Lines() const { return lines_; }

  // Puts a line that has run at the front, or moves it there when it is kept already;
  // the oldest line goes beyond MAX_HISTORY_LINES. Cut to MAX_LINE_LENGTH bytes (UTF-8
  // between two characters); an empty line or one holding a line break or NUL (which
  // the file cannot keep) is not remembered.
  void Remember(std::string_view line);
  void Forget();

  // Up and Down, with shown in the box: the line to show instead, or none when the key
  // takes no step (nothing kept; Down with no walk under way).
  std::optional<std::string> Older(std::string_view shown);
  std::optional<std::string> Newer(std::string_view shown);
  // Esc: the line that was being typed, or none when no walk is under way.
  std::optional<std::string> Abandon(std::string_view shown);
  // Whether a walk is under way, shown being the line it stepped to.
  bool Walking(std::string_view shown) const;

 private:
  static constexpr size_t NOT_WALKING = static_cast<size_t>(-1);

  std::vector<std::string> lines_;
  std::string typed_;
  size_t position_ = NOT_WALKING;  // of the line shown
};

extern TypedLineHistory typedLineHistory;
