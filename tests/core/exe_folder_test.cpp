#include "base/exe_folder.h"

#include <gtest/gtest.h>

#include <utility>

TEST(FolderPartLength, KeepsEverythingUpToTheLastSeparator) {
  const std::pair<const char*, size_t> cases[] = {
      {"C:\\Tools\\Pellomar\\p.exe", 18}, {"C:/mixed\\slashes/p.exe", 17}, {"C:p.exe", 2}, {"C:\\", 3}, {"p.exe", 0},
  };
  for (const auto& [path, folderLength] : cases) EXPECT_EQ(FolderPartLength(path), folderLength) << path;
}
