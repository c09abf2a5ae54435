#include "base/exe_folder.h"

#include <gtest/gtest.h>

TEST(FolderPartLength, KeepsEverythingUpToTheLastSeparator) {
  struct Case {
    const char* path;
    size_t folderLength;
  };
  const Case cases[] = {
      {"C:\\Tools\\Pellomar\\pellomar.exe", 18},
      {"\\\\server\\share\\pellomar.exe", 15},
      {"C:/mixed\\slashes/pellomar.exe", 17},
      {"C:pellomar.exe", 2},
      {"C:\\", 3},
      {"pellomar.exe", 0},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderPartLength(c.path), c.folderLength) << c.path;
}
