#include "base/shell_result.h"

#include <gtest/gtest.h>

TEST(SystemErrorOfShellResult, GivesTheSystemErrorTheShellsCodeStandsFor) {
  // Above 32 the launch worked; the shell's own codes below map onto system errors.
  const uint32_t cases[][2] = {{33, 0}, {42, 0}, {0, 8}, {2, 2}, {3, 3}, {5, 5}, {26, 32}, {31, 1155}, {32, 1157}};
  for (const auto& c : cases) EXPECT_EQ(SystemErrorOfShellResult(c[0]), c[1]) << c[0];
}
