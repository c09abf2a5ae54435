#include "command/typed_path.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(TypedPath, ReadsTheFolderTypedAndThePieceAfterIt) {
  // The folder and the piece, with a '|' between them, or nullptr where the line is no path.
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\", "C:\\|"},
      {"d:/Users/me/Ap", "d:/Users/me/|Ap"},
      {"C:\\Program Files\\Common F", "C:\\Program Files\\|Common F"},
      {"\\\\server\\share\\dir\\fi", "\\\\server\\share\\dir\\|fi"},
      {"\\\\server/share/", "\\\\server/share/|"},
      {"%USERPROFILE%\\Doc", "%USERPROFILE%\\|Doc"},
      {".\\a", ".\\|a"},
      {"..\\..\\", "..\\..\\|"},
      {"C:", nullptr},
      {"C:name", nullptr},
      {"x C:\\", nullptr},
      {" C:\\", nullptr},
      {"\\\\server\\", nullptr},
      {"\\\\server\\share", nullptr},
      {"//server/share/", nullptr},
      {"%USERPROFILE%", nullptr},
      {"%%\\", nullptr},
      {"...\\", nullptr},
      {"\"C:\\Program Files\\", nullptr},
      {"C:\\*.txt", nullptr},
      {"C:\\a:b", nullptr},
  };
  for (const auto& [line, parts] : cases) {
    const std::optional<TypedPath> path = ParseTypedPath(line);
    const std::string shown = path ? std::string(path->folder) + "|" + std::string(path->piece) : "no path";
    EXPECT_EQ(shown, parts ? parts : "no path") << line;
  }
}

TEST(TypedPath, ListsMatchingEntriesFoldersFirstAndCompletesTheChosenOne) {
  const std::vector<PathEntry> folder = {
      {"readme.txt", false, false}, {"Program Files", true, false},     {"pagefile.sys", false, true},
      {"Projects", true, false},    {"\xC3\x89t\xC3\xA9", true, false}, {"..", true, false},
      {"AppData", true, true},      {"program.exe", false, false},      {"PROGRAM.EXE", false, false}};
  // The piece typed, and the names listed, in order.
  const struct {
    const char* piece;
    std::vector<std::string> names;
  } cases[] = {
      {"", {"Program Files", "Projects", "\xC3\x89t\xC3\xA9", "PROGRAM.EXE", "program.exe", "readme.txt"}},
      {"pro", {"Program Files", "Projects", "PROGRAM.EXE", "program.exe"}},
      {"P", {"Program Files", "Projects", "pagefile.sys", "PROGRAM.EXE", "program.exe"}},
      {"app", {"AppData"}},
      {"\xC3\xA9T", {"\xC3\x89t\xC3\xA9"}},
      {"..", {}},
      {"zz", {}},
  };
  for (const auto& [piece, names] : cases) {
    std::vector<std::string> listed;
    for (const PathEntry& entry : MatchPathEntries(piece, folder)) listed.push_back(entry.name);
    EXPECT_EQ(listed, names) << piece;
  }

  std::vector<PathEntry> many(100, {"file", false, false});
  EXPECT_EQ(MatchPathEntries("f", many).size(), MAX_PATH_ENTRIES_SHOWN);
  EXPECT_EQ(CompletedLine("C:/Users/", {"me", true, false}), "C:/Users/me/");
  EXPECT_EQ(CompletedLine("%TEMP%\\", {"log.txt", false, false}), "%TEMP%\\log.txt");
}
