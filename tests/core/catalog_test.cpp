// The catalog: what it keeps of the scanner's items, and "catalog.dat".
#include "catalog/catalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/catalog_file.h"
#include "tests/core/hex_bytes.h"

namespace {

const ItemKind LNK = ItemKind::Shortcut;
const ItemSource DESKTOP = ItemSource::UserDesktop, MENU = ItemSource::CommonStartMenu;

std::vector<std::string> Names(const Catalog& catalog) {
  std::vector<std::string> names;
  for (size_t i = 0; i < catalog.items.size(); ++i) names.emplace_back(GetItemText(catalog, i, ItemText::Name));
  return names;
}

std::string ExpandProgramFiles(std::string_view text) {
  std::string expanded(text);
  if (expanded.rfind("%ProgramFiles%", 0) == 0) expanded.replace(0, 14, "C:\\Program Files");
  return expanded;
}

// A file's header made to fit its body: count and hash.
Bytes WithHeader(uint32_t count, Bytes body) {
  Bytes file = FromHex("504d4354 01000000 00000000 00000000");
  const uint32_t hash = WordHash(body.data(), body.size());
  for (int i = 0; i < 4; ++i)
    file[8 + i] = static_cast<uint8_t>(count >> 8 * i), file[12 + i] = static_cast<uint8_t>(hash >> 8 * i);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace

TEST(Catalog, ListsWhatRunsTheSameThingOnceTheStartMenusCopyKept) {
  const NewItem items[] = {
      {"Firefox", "", "D:\\Firefox.lnk", "C:\\Program Files\\Mozilla\\firefox.exe", "", 0, LNK, DESKTOP},
      {"Mozilla Firefox", "", "M:\\Firefox.lnk", "%ProgramFiles%\\MOZILLA\\Firefox.exe", "", 0, LNK, MENU},
      {"Private", "", "M:\\Private.lnk", "C:\\Program Files\\Mozilla\\firefox.exe", "-private", 0, LNK, MENU},
      {"firefox", "", "C:\\Program Files\\Mozilla\\firefox.exe", "C:\\Program Files\\Mozilla\\firefox.exe", "", 0,
       ItemKind::AppPath, ItemSource::AppPaths},
      {"Mail", "", "shell:AppsFolder\\mail", "", "", 0, ItemKind::PackagedApp, ItemSource::Packaged},
      {"Mail", "", "shell:AppsFolder\\mail", "", "", 0, ItemKind::PackagedApp, ItemSource::Packaged},
  };
  CatalogBuilder builder;
  for (const NewItem& item : items) AddCatalogItem(builder, item);
  const Catalog catalog = FinishCatalog(std::move(builder), ExpandProgramFiles);
  EXPECT_EQ(Names(catalog), (std::vector<std::string>{"Mozilla Firefox", "Private", "Mail"}));
  EXPECT_EQ(GetItemText(catalog, 0, ItemText::ProgramName), "firefox") << "the duplicates' name, still found";
  EXPECT_EQ(catalog.items[1].launchHash, LaunchHash("M:\\Private.lnk"));
}

TEST(CatalogFile, WritesTheKnownLayoutAndReadsItBack) {
  CatalogBuilder builder;
  AddCatalogItem(builder, {"Ed", "", "e.exe", "", "", 0x0102030405060708, ItemKind::AppPath, ItemSource::AppPaths});
  const std::string encoded = EncodeCatalog(FinishCatalog(std::move(builder)));
  const Bytes file(encoded.begin(), encoded.end());
  EXPECT_EQ(file, FromHex("504d4354 01000000 01000000 2ad1212a 0807060504030201 01 04 0200 4564 0000 0500 652e657865"
                          "0000 0000"));
  const std::optional<Catalog> read = DecodeCatalog(file.data(), file.size());
  ASSERT_TRUE(read);
  EXPECT_EQ(EncodeCatalog(*read), encoded);
  EXPECT_EQ(read->items[0].writeTime, 0x0102030405060708u);
}

TEST(CatalogFile, RejectsAnyFileItDidNotWriteWhole) {
  const std::string item = "0000000000000000 00 00 0100 61 0000 0100 61 0000 0000";
  const Bytes good = WithHeader(1, FromHex(item));
  ASSERT_TRUE(DecodeCatalog(good.data(), good.size()));
  Bytes flipped = good, otherMagic = good, version2 = good;
  flipped.back() ^= 1, otherMagic[0] = 'X', version2[4] = 2;
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"a byte changed", flipped},
      {"another magic", otherMagic},
      {"version 2", version2},
      {"cut short", Bytes(good.begin(), good.end() - 1)},
      {"shorter than its header", Bytes(good.begin(), good.begin() + 15)},
      {"count beyond the items", WithHeader(2, FromHex(item))},
      {"bytes after the last item", WithHeader(1, FromHex(item + "00"))},
      {"a kind out of range", WithHeader(1, FromHex("0000000000000000 04 00 0100 61 0000 0100 61 0000 0000"))},
      {"a text beyond the file", WithHeader(1, FromHex("0000000000000000 00 00 0500 61"))},
  };
  for (const auto& c : cases) EXPECT_FALSE(DecodeCatalog(c.file.data(), c.file.size())) << c.name;
}
