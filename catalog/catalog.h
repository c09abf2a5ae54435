#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The programs the bar finds by a few letters. A worker thread builds a Catalog from what
// the scanner hands it and posts the finished value to the window's thread, which swaps
// it in whole: a Catalog is a plain value, with no globals behind it.

enum class ItemKind : uint8_t { Shortcut, AppPath, PathProgram, PackagedApp };
constexpr size_t ITEM_KIND_COUNT = 4;

// Where an item was found. When two items run the same thing, the Start Menu's is kept,
// then a Desktop's, then the App Paths', PATH's, a packaged app's.
enum class ItemSource : uint8_t {
  UserStartMenu,
  CommonStartMenu,
  UserDesktop,
  PublicDesktop,
  AppPaths,
  Path,
  Packaged
};
constexpr size_t ITEM_SOURCE_COUNT = 7;

// An item as the scanner found it; every text UTF-8.
struct NewItem {
  std::string_view name;  // as the shell shows it ("Firefox", "Rechner"); a PATH program's file name, e.g. "regedit"
  std::string_view fileName;   // a shortcut's file name without extension where it differs ("Calculator")
  std::string_view launch;     // what the shell is handed: a .lnk or .url path, an exe path, "shell:AppsFolder\<id>"
  std::string_view target;     // the program or address it runs, %VARIABLES% maybe unexpanded; may be empty
  std::string_view arguments;  // given to the target
  uint64_t writeTime;          // the shortcut's last write (a FILETIME), so that a rescan can skip it unchanged
  ItemKind kind;
  ItemSource source;
};

// An item's texts: those the scanner gave, one after another in Catalog::text, then those
// made for the search, one after another in Catalog::folded, which the search alone reads.
enum class ItemText : uint8_t {
  Name,
  FileName,  // empty where it folds as the name does
  Launch,
  Target,
  Arguments,
  FoldedName,      // FoldForMatching(name)
  FoldedFileName,  // FoldForMatching(fileName)
  ProgramName,     // folded, e.g. "winword": how a program is typed by its own name (see CatalogItem)
};
constexpr size_t ITEM_TEXT_COUNT = 8;
constexpr size_t RAW_ITEM_TEXT_COUNT = 5;  // those up to Arguments; the rest is made from them

constexpr size_t MAX_CATALOG_ITEMS = 250000;    // the builder takes no more
constexpr size_t MAX_ITEM_TEXT_LENGTH = 32767;  // bytes per text, longer ones cut between characters

// 48 bytes. The program name is that of a PATH program, and for any other item that runs a
// .exe, .com, .bat or .cmd without arguments the target's file name without its extension
// ("winword" for Word's shortcut): so the program a duplicate stood for is still found by
// its own name.
struct CatalogItem {
  uint64_t writeTime;
  uint32_t textAt;       // where the item's texts start in Catalog::text
  uint32_t foldedAt;     // and its folded ones in Catalog::folded
  uint32_t launchHash;   // LaunchHash(launch)
  uint32_t letters;      // LetterMask of the folded name and file name
  uint32_t innerStarts;  // bits of FoldedName's first 32 bytes where a word starts inside a word: "Power|Shell"
  uint16_t length[ITEM_TEXT_COUNT];
  ItemKind kind;
  ItemSource source;
};

struct Catalog {
  std::vector<CatalogItem> items;
  std::string text;
  std::string folded;
};

std::string_view GetItemText(const Catalog& catalog, size_t index, ItemText which);

// Whether an item starts a program that takes parameters: a PATH program, an App Path, or
// one whose target ends in .exe, .com, .bat or .cmd.
bool IsProgramItem(const Catalog& catalog, size_t index);

// The bytes the catalog holds in memory: its items and its texts.
size_t CatalogMemory(const Catalog& catalog);

// Takes items one by one; FinishCatalog makes the catalog. Items past MAX_CATALOG_ITEMS are
// ignored.
struct CatalogBuilder {
  Catalog raw;
  bool keepDuplicates = false;  // for a catalog read back from its file, which lists each thing once
};
void AddCatalogItem(CatalogBuilder& builder, const NewItem& item);

// Expands %VARIABLES% in a target, so that "%windir%\notepad.exe" and "C:\Windows\notepad.exe"
// are found to be the same.
using ExpandText = std::string (*)(std::string_view text);

// Lists what runs the same target with the same arguments once (targets compared with ASCII
// letter case ignored, after expand where given; items without a target by what they
// launch), keeping the copy of the earliest source, and the first added among equals,
// unless the builder keeps duplicates; the order of the items kept is that in which they
// were added. Folds every name once.
Catalog FinishCatalog(CatalogBuilder&& builder, ExpandText expand = nullptr);

// FNV-1a taken over 64-bit little-endian words (the bytes past the last word one by one),
// folded to 32 bits: several times as fast as over single bytes, and still changed by any
// change of one word. It names an item's launch (its identity, compared whole where the
// hashes agree) and checks the catalog file.
uint32_t WordHash(const uint8_t* data, size_t size);
inline uint32_t LaunchHash(std::string_view launch) {
  return WordHash(reinterpret_cast<const uint8_t*>(launch.data()), launch.size());
}

// Which letters and digits a folded text holds, one bit each (all other bytes shared among
// five bits): an item cannot match a typed text whose mask is not inside its own.
uint32_t LetterMask(std::string_view folded);
