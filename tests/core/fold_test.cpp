// Folding for matching: letter case and accents never matter.
#include "catalog/fold.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(Fold, FoldsCaseAndAccentsOfLatinGreekAndCyrillic) {
  const std::pair<std::string, std::string> cases[] = {
      {"Crème BRÛLÉE Ångström", "creme brulee angstrom"},
      {"Straße ẞ Æsir Œuvre Þór", "strasse ss aesir oeuvre thor"},
      {"Øresund Łódź Đakovo Ħamrun ıi İstanbul", "oresund lodz dakovo hamrun ii istanbul"},
      {"ЁЛКА Йод Ѓ", "елка иод г"},
      {"Ά ΈΣΣΟΣ ἄλφα", "α εσσοσ αλφα"},
      {"ＡＢＣ１（ｘ）", "abc1(x)"},
      {"e\xCC\x81 Word® Link™ A–B “q”", "e word link a-b \"q\""},  // a combining accent, marks, a dash
      {"中文 かな 한국어 €", "中文 かな 한국어 €"},                // the rest as it is
      {std::string("\xC3\x28\xE2\x82 \xFF\xED\xA0\x80\0A", 11),
       std::string("\xC3\x28\xE2\x82 \xFF\xED\xA0\x80\0a", 11)},
  };
  for (const auto& [text, folded] : cases) {
    EXPECT_EQ(FoldForMatching(text), folded) << text;
    EXPECT_EQ(FoldForMatching(folded), folded) << "folded again: " << folded;
  }
  EXPECT_EQ(FoldTypedText(" \tVisual\xE3\x80\x80  Studio\t"), "visual studio");
}
