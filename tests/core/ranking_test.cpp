// Finding programs by a few letters, over the names of 2,718 real programs and Start Menu
// entries, stated as a user's preferences: for this typed line, this item before that one.
#include "catalog/ranking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Program {
  std::string name, target;
  ItemKind kind;
};

// Programs the shared lists lack, as the scanner would find them.
const Program EXTRA[] = {
    {"Visual Studio Code", "C:\\Users\\u\\AppData\\Local\\Programs\\Microsoft VS Code\\Code.exe", ItemKind::Shortcut},
    {"Microsoft Word", "C:\\Program Files\\Microsoft Office\\root\\Office16\\WINWORD.EXE", ItemKind::Shortcut},
    {"Microsoft Office Click-to-Run Service Tools Extended", "", ItemKind::Shortcut},
    {"Mozilla Firefox", "C:\\Program Files\\Mozilla Firefox\\firefox.exe", ItemKind::Shortcut},
    {"Notepad++", "", ItemKind::Shortcut},
    {"regedit", "C:\\Windows\\regedit.exe", ItemKind::PathProgram},
};

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const char* file : {"program-names.txt", "windows-names.txt"}) {
    std::ifstream in(std::string(PELLOMAR_SOURCE_DIR "/tests/data/") + file);
    for (std::string line; std::getline(in, line);) names.push_back(line.substr(0, line.find('\t')));
  }
  return names;
}

const Catalog& RealCatalog() {
  static const Catalog catalog = [] {
    CatalogBuilder builder;
    std::vector<Program> programs(std::begin(EXTRA), std::end(EXTRA));
    for (const std::string& name : Names()) programs.push_back({name, "", ItemKind::Shortcut});
    for (const Program& p : programs) {
      const std::string launch = p.kind == ItemKind::PathProgram ? p.target : "C:\\Menu\\" + p.name + ".lnk";
      AddCatalogItem(builder, {p.name, "", launch, p.target, "", 0, p.kind, ItemSource::CommonStartMenu});
    }
    return FinishCatalog(std::move(builder));
  }();
  return catalog;
}

// Where the item of that name ranks for the line, or -1 where it does not match.
int Place(const std::vector<uint32_t>& rows, const std::string& name) {
  for (size_t i = 0; i < rows.size(); ++i)
    if (GetItemText(RealCatalog(), rows[i], ItemText::Name) == name) return static_cast<int>(i);
  return -1;
}

std::vector<uint32_t> RankAll(const std::string& typed, const Picks& picks = {}) {
  return RankCatalog(RealCatalog(), typed, picks, RealCatalog().items.size());
}

}  // namespace

TEST(Ranking, PrefersWhatUsersExpect) {
  // For the typed line, better matches and ranks before worse; "" for better: worse must
  // not match at all; "" for worse: better must match.
  const struct {
    const char* typed;
    const char* better;
    const char* worse;
  } cases[] = {
      {"notepad", "Notepad", "Notepads"},                            // the whole name first
      {"fire", "FireScudo", "Mozilla Firefox"},                      // the name's start before a word's
      {"fire", "Mozilla Firefox", "Hetman File Repair"},             // a word's start before initials
      {"fire", "Firefly Luciferin", "Mozilla Firefox (is)"},         // among equals the shorter
      {"vsc", "Visual Studio Code", "Command Palette - VS Code"},    // initials, the shorter
      {"rdc", "Remote Desktop Connection", "Redact"},                // initials before letters in order
      {"ps", "Windows PowerShell", "Prism"},                         // initials in camel case
      {"power shell", "Windows PowerShell", ""},                     // a typed word per part of the word
      {"ms word", "Microsoft Word", ""},                             // a word's first letter, then in order
      {"word", "WordPad", "Microsoft Word"},                         // the name's start before a later word
      {"fox", "Mozilla Firefox", "Utaformatix"},                     // a piece before letters in order
      {"ffx", "Mozilla Firefox", ""},                                // letters in order inside one word
      {"code", "Visual Studio Code", "Codex"},                       // a program's own name: Code.exe
      {"winword", "Microsoft Word", ""},                             // the same for WINWORD.EXE
      {"7zip", "7-Zip ZS Non Darkmode", ""},                         // separators need not be typed
      {"notepad++", "Notepad++", "Notepad"},                         // but those typed count
      {"notepad--", "", "Notepad++"},                                //
      {"zusammenfugen", "PDF Zusammenfügen", ""},                    // accents never matter
      {"RODE", "RØDE Connect", "RØDECaster Virtual Device Driver"},  // nor case
      {"arsoppgjor 2024", "Maestro Årsoppgjør 2024", "Maestro Årsoppgjør 2025"},
      {"ЯНДЕКС", "Яндекс Музыка", ""},                                                  // Cyrillic
      {"hal-o-roid", "CeVIO Voice Package - ハルオロイド・ミナミ（HAL-O-ROID）)", ""},  // full width
      {"ミナミ", "CeVIO Voice Package - ハルオロイド・ミナミ（HAL-O-ROID）)", ""},      // kana as it is
      {"intel driver", "Intel® Driver & Support Assistant", ""},                        // the marks go
      {"regedit.exe", "regedit", ""},             // PATH programs by their whole name
      {"rege", "", "regedit"},                    // and only so
      {"fire fox", "", "Mozilla Firefox"},        // typed words match different words
      {"code studio", "", "Visual Studio Code"},  // in order
      {"how to cook rice", "", "Microsoft Office Click-to-Run Service Tools Extended"},
  };
  for (const auto& c : cases) {
    const std::vector<uint32_t> rows = RankAll(c.typed);
    const int better = *c.better ? Place(rows, c.better) : -1, worse = *c.worse ? Place(rows, c.worse) : -1;
    if (*c.better) EXPECT_NE(better, -1) << c.typed << ": " << c.better << " does not match";
    if (*c.better && *c.worse) EXPECT_LT(better, worse == -1 ? INT32_MAX : worse) << c.typed << ": " << c.worse;
    if (!*c.better) EXPECT_EQ(worse, -1) << c.typed << ": " << c.worse << " matches";
  }
}

TEST(Ranking, SearchPhrasesMatchNothing) {
  for (const char* phrase : {"how to cook rice", "weather in paris", "cheap flights to london",
                             "recipe for chocolate cake", "translate english to spanish", "what is my ip"})
    EXPECT_EQ(RankAll(phrase).size(), 0u) << phrase;
}

TEST(Ranking, LearnsFromPicks) {
  Picks picks;
  RecordPick(picks, "Firefox", "C:\\Menu\\Mozilla Firefox.lnk");
  EXPECT_EQ(Place(RankAll("f", picks), "Mozilla Firefox"), 0) << "a line that starts as one picked before";
  EXPECT_EQ(Place(RankAll("fir", picks), "Mozilla Firefox"), 0);
  EXPECT_NE(Place(RankAll("firm", picks), "Mozilla Firefox"), 0) << "a line that does not";
  // Equal matches of equal length: the one picked, whatever for, goes first.
  EXPECT_LT(Place(RankAll("ro"), "RØDE Central"), Place(RankAll("ro"), "RØDE Connect"));
  RecordPick(picks, "rode connect", "C:\\Menu\\RØDE Connect.lnk");
  EXPECT_GT(Place(RankAll("ro", picks), "RØDE Central"), Place(RankAll("ro", picks), "RØDE Connect"));
}

TEST(Ranking, AsksTheFilterOnlyForRowsBestFirst) {
  std::vector<uint32_t> asked;
  const auto rejectFirst = [](void* context, uint32_t index) {
    auto& asked = *static_cast<std::vector<uint32_t>*>(context);
    asked.push_back(index);
    return asked.size() > 1;
  };
  const std::vector<uint32_t> all = RankAll("fire");
  const std::vector<uint32_t> rows = RankCatalog(RealCatalog(), "fire", {}, 3, {rejectFirst, &asked});
  EXPECT_EQ(asked, std::vector<uint32_t>(all.begin(), all.begin() + 4));
  EXPECT_EQ(rows, std::vector<uint32_t>(all.begin() + 1, all.begin() + 4));
}

TEST(Ranking, FindsAProgramNamedByTheFirstWord) {
  // The line; the item named, "" for none; its parameters.
  const struct {
    const char* line;
    const char* item;
    const char* parameters;
  } cases[] = {
      {"REGEDIT /s file.reg", "regedit", "/s file.reg"},
      {"  winword.exe  report.doc ", "Microsoft Word", "report.doc "},
      {"code", "Visual Studio Code", ""},
      {"notepad++ x", "", ""},  // a shortcut to no known program
      {"firefox", "Mozilla Firefox", ""},
  };
  for (const auto& c : cases) {
    const std::optional<ProgramLine> found = FindProgramLine(RealCatalog(), c.line);
    EXPECT_EQ(found ? GetItemText(RealCatalog(), found->index, ItemText::Name) : "", c.item) << c.line;
    if (found) EXPECT_EQ(found->parameters, c.parameters) << c.line;
  }
}
