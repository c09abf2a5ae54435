// The picks the bar learns from, and "picks.txt".
#include "catalog/picks.h"

#include <gtest/gtest.h>

#include <string>

TEST(Picks, KeepTheMostRecentlyUsedRecordsCounted) {
  Picks picks;
  for (size_t i = 0; i <= MAX_PICK_RECORDS; ++i) RecordPick(picks, "p" + std::to_string(i), "C:\\p.lnk");
  EXPECT_EQ(picks.records.size(), MAX_PICK_RECORDS);
  EXPECT_EQ(picks.records.back().typed, "p1") << "the least recently used went";
  RecordPick(picks, "  P1 ", "C:\\p.lnk");
  RecordPick(picks, "p2\tx", "C:\\p.lnk");
  RecordPick(picks, "", "C:\\p.lnk");
  EXPECT_EQ(picks.records[0].typed, "p2 x");
  EXPECT_EQ(picks.records[1].typed, "p1");
  EXPECT_EQ(picks.records[1].count, 2u);
  EXPECT_EQ(LearnedPick(picks, "p")->typed, "p1") << "picked most often";
  EXPECT_EQ(LearnedPick(picks, "p30")->typed, "p300") << "then the most recent";
  EXPECT_EQ(LearnedPick(picks, "q"), nullptr);
}

TEST(PicksFile, WritesLinesOfCountLineAndItem) {
  Picks picks;
  RecordPick(picks, "Fire", "C:\\Menu\\Firefox.lnk");
  RecordPick(picks, "Fire", "C:\\Menu\\Firefox.lnk");
  RecordPick(picks, "Éd", "shell:AppsFolder\\ed");
  const std::string file = "Pellomar picks 1\r\n1\ted\tshell:AppsFolder\\ed\r\n2\tfire\tC:\\Menu\\Firefox.lnk\r\n";
  EXPECT_EQ(EncodePicks(picks), file);
  EXPECT_EQ(EncodePicks(DecodePicks(file)), file);
}

TEST(PicksFile, ReadsWhatIsSound) {
  const std::string header = "Pellomar picks 1\n", record = "3\tfire\tF.lnk\n";
  const std::string kept = "Pellomar picks 1\r\n3\tfire\tF.lnk\r\n";
  const struct {
    const char* name;
    std::string file;
    std::string saved;
  } cases[] = {
      {"LF endings, a BOM", "\xEF\xBB\xBF" + header + record, kept},
      {"a line typed in another case", header + "3\tFIRE \tF.lnk", kept},
      {"lines that are no record", header + "x\tfire\tF.lnk\n0\ta\tb\n\n3\tfire\n3\t\tb\n3\ta\t\n3\t\xFF\tb\n" + record,
       kept},
      {"a record repeated", header + record + "5\tfire\tF.lnk\n", kept},
      {"another header", "Pellomar picks 2\n" + record, "Pellomar picks 1\r\n"},
      {"another file", "3\tfire\tF.lnk\n" + record, "Pellomar picks 1\r\n"},
      {"too big", header + record + std::string(MAX_PICKS_FILE_SIZE, '\n'), "Pellomar picks 1\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodePicks(DecodePicks(c.file)), c.saved) << c.name;
}
