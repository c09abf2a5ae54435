#include "command/key_word_completion.h"

#include <gtest/gtest.h>

// Lines are written with the caret as '|'.
TEST(Completion, TabCompletesTheFirstWordAndCyclesThroughTheKeyWordsInStoreOrder) {
  KeyEntryStore store;
  for (const char* key : {"g", "gmail", "wiki", "gmaps", "Gi", "gmail", "gmx", "wikipedia"})
    store.Append({key, "c", "", 0, std::string(key) == "gmaps", {}});
  struct Case {
    const char *name, *typed;
    int tabs;
    TabOutcome last;
    const char* box;
  };
  const TabOutcome CHANGED = TabOutcome::Changed;
  const Case cases[] = {
      {"the first match, a blank and the caret after it", "gm|", 1, CHANGED, "gmail |"},
      {"the next, passing over removed and repeated keys", "gm|", 2, CHANGED, "gmx |"},
      {"after the last, what was typed", "gm|", 3, CHANGED, "gm|"},
      {"a whole word completes to itself first", "wiki|", 2, CHANGED, "wikipedia |"},
      {"the caret anywhere in the word; a blank after it is kept", "  |wi foo", 1, CHANGED, "  wiki |foo"},
      {"letter case counts", "G|I", 1, TabOutcome::NoMatch, "G|I"},
      {"the caret in the parameters", "wiki fo|", 1, TabOutcome::NotInFirstWord, "wiki fo|"},
  };
  for (const Case& c : cases) {
    KeyWordCompletion completion;
    TabResult result{CHANGED, c.typed, std::string(c.typed).find('|')};
    result.line.erase(result.caret, 1);
    for (int tab = 0; tab < c.tabs && result.outcome == CHANGED; ++tab)
      result = completion.Tab(store, result.line, result.caret);
    EXPECT_EQ(result.outcome, c.last) << c.name;
    if (result.outcome == CHANGED) EXPECT_EQ(result.line.insert(result.caret, "|"), c.box) << c.name;
  }
}
