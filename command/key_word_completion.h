#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_entry_store.h"

enum class TabOutcome {
  NotInFirstWord,  // the caret is elsewhere: the Tab is the box's own
  NoMatch,         // no key word begins with the first word: nothing changes
  Changed,         // the box is to show line, with the caret at caret
};

struct TabResult {
  TabOutcome outcome;
  std::string line;
  size_t caret;
};

// Tab with the caret in the first word of a line completes the word to the first key
// word that begins with it, in store order, letter case counting and entries marked for
// removal passed over, and puts a blank and the caret after it. Each further Tab, while
// the box still shows what the last one left, offers the next key word not offered yet;
// after the last it gives back the line as typed.
class KeyWordCompletion {
 public:
  TabResult Tab(const KeyEntryStore& store, std::string_view line, size_t caret);

 private:
  TabResult OfferNext(const KeyEntryStore& store);

  std::string typedLine_;
  size_t typedCaret_ = 0;
  size_t wordStart_ = 0;
  size_t wordEnd_ = 0;
  std::vector<std::string> offered_;  // sorted
  size_t nextEntry_ = 0;              // where the search for the next key word goes on
  bool cycling_ = false;
  std::string shownLine_;
  size_t shownCaret_ = 0;
};

extern KeyWordCompletion keyWordCompletion;
