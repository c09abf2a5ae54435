#include "command/key_word_completion.h"

#include <algorithm>

KeyWordCompletion keyWordCompletion;

TabResult KeyWordCompletion::Tab(const KeyEntryStore& store, std::string_view line, size_t caret) {
  if (cycling_ && line == shownLine_ && caret == shownCaret_) return OfferNext(store);
  cycling_ = false;
  // The first word as SplitCommandLine finds it: after leading blanks, up to the next one.
  const size_t wordStart = line.find_first_not_of(' ');
  if (wordStart == std::string_view::npos) return {TabOutcome::NotInFirstWord, {}, 0};
  const size_t wordEnd = std::min(line.find(' ', wordStart), line.size());
  if (caret < wordStart || caret > wordEnd) return {TabOutcome::NotInFirstWord, {}, 0};
  typedLine_ = line;
  typedCaret_ = caret;
  wordStart_ = wordStart;
  wordEnd_ = wordEnd;
  offered_.clear();
  nextEntry_ = 0;
  cycling_ = true;
  TabResult result = OfferNext(store);
  if (offered_.empty()) result.outcome = TabOutcome::NoMatch;
  return result;
}

TabResult KeyWordCompletion::OfferNext(const KeyEntryStore& store) {
  const std::string_view word = std::string_view(typedLine_).substr(wordStart_, wordEnd_ - wordStart_);
  for (; nextEntry_ < store.entries.size(); ++nextEntry_) {
    const KeyEntry& entry = store.entries[nextEntry_];
    if (entry.removalPending || entry.key.compare(0, word.size(), word) != 0) continue;
    // A key word repeated further down the store is offered once.
    const auto place = std::lower_bound(offered_.begin(), offered_.end(), entry.key);
    if (place != offered_.end() && *place == entry.key) continue;
    offered_.insert(place, entry.key);
    // The word and the blank after it, if there is one, become the key word and a blank.
    shownLine_ = typedLine_;
    shownLine_.replace(wordStart_, std::min(wordEnd_ + 1, typedLine_.size()) - wordStart_, entry.key)
        .insert(wordStart_ + entry.key.size(), 1, ' ');
    shownCaret_ = wordStart_ + entry.key.size() + 1;
    ++nextEntry_;
    return {TabOutcome::Changed, shownLine_, shownCaret_};
  }
  cycling_ = false;
  return {TabOutcome::Changed, typedLine_, typedCaret_};
}
