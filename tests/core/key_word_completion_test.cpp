#include "command/key_word_completion.h"

#include <gtest/gtest.h>

#include <tuple>

// Lines are written with the caret as '|'.
TEST(Completion, TabCompletesTheFirstWordAndCyclesThroughTheKeyWordsInStoreOrder) {
  KeyEntryStore store;
  for (const char* key : {"g", "gmail", "wiki", "gmaps", "Gi", "gmail", "gmx", "wikipedia"})
    store.Append({key, "c", "", 0, std::string(key) == "gmaps", {}});
  // The line typed, the number of Tab presses, the last one's outcome and the line then.
  const TabOutcome CHANGED = TabOutcome::Changed;
  const std::tuple<const char*, const char*, int, TabOutcome, const char*> cases[] = {
      {"the first match, a blank and the caret after it", "gm|", 1, CHANGED, "gmail |"},
      {"the next, passing over removed and repeated keys", "gm|", 2, CHANGED, "gmx |"},
      {"after the last, what was typed", "gm|", 3, CHANGED, "gm|"},
      {"a whole word completes to itself first", "wiki|", 2, CHANGED, "wikipedia |"},
      {"the caret anywhere in the word; a blank after it is kept", "  |wi foo", 1, CHANGED, "  wiki |foo"},
      {"letter case counts", "G|I", 1, TabOutcome::NoMatch, "G|I"},
      {"the caret in the parameters", "wiki fo|", 1, TabOutcome::NotInFirstWord, "wiki fo|"},
  };
  for (const auto& [name, typed, tabs, last, box] : cases) {
    KeyWordCompletion completion;
    TabResult result{CHANGED, typed, std::string(typed).find('|')};
    result.line.erase(result.caret, 1);
    for (int tab = 0; tab < tabs && result.outcome == CHANGED; ++tab)
      result = completion.Tab(store, result.line, result.caret);
    EXPECT_EQ(result.outcome, last) << name;
    if (result.outcome == CHANGED) EXPECT_EQ(result.line.insert(result.caret, "|"), box) << name;
  }
}
