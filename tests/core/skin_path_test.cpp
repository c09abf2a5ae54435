#include "settings/skin_path.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(SkinPathToKeep, KeepsASkinBelowTheProgramRelativeAnyOtherAsChosenOrShort) {
  const std::string folder = "C:\\Tools\\Pellomar\\";
  const std::string path63 = "D:\\" + std::string(56, 's') + ".bmp", path64 = "D:\\" + std::string(57, 's') + ".bmp";
  // What is kept of the chosen path and its short form in the settings' 64 bytes.
  const std::tuple<const char*, std::string, std::string, std::optional<std::string>> cases[] = {
      {"below the folder in other case, fits as chosen", "c:\\tools\\PELLOMAR\\skins\\a.bmp", "", "skins\\a.bmp"},
      {"below the folder, too long as chosen", folder + path63.substr(3), "", path63.substr(3)},
      {"the folder itself", folder, "", folder},
      {"a sibling folder sharing the name", "C:\\Tools\\Pellomar2\\a.bmp", "", "C:\\Tools\\Pellomar2\\a.bmp"},
      {"elsewhere, 63 characters", path63, "D:\\S~1.BMP", path63},
      {"elsewhere, 64 characters: the short form", path64, "D:\\S~1.BMP", "D:\\S~1.BMP"},
      {"64 characters without a short form", path64, "", std::nullopt},
      {"64 characters with a short form as long", path64, path64, std::nullopt},
  };
  for (const auto& [name, chosen, shortForm, kept] : cases)
    EXPECT_EQ(SkinPathToKeep(chosen, folder, shortForm, 64), kept) << name;
}
