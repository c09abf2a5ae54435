#include "catalog/program_catalog_win.h"

#include <memory>
#include <string>
#include <vector>

#include "base/code_page_win.h"
#include "base/data_folder_win.h"
#include "base/file_io_win.h"
#include "base/folder_entries_win.h"

Catalog programCatalog;
Picks programPicks;

namespace {

enum class Target : uint8_t { Unknown, Shown, Gone };
// Per item of programCatalog.
std::vector<Target> targets;

bool TargetGone(uint32_t index) {
  if (!IsProgramItem(programCatalog, index)) return false;
  const std::wstring stored = Utf8ToWide(GetItemText(programCatalog, index, ItemText::Target));
  wchar_t target[MAX_PATH * 2];
  const DWORD length = ExpandEnvironmentStringsW(stored.c_str(), target, MAX_PATH * 2);
  if (length == 0 || length > MAX_PATH * 2 || !IsOnOwnDrive(target)) return false;
  return GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES && FileIsAbsent(GetLastError());
}

bool Shown(void*, uint32_t index) {
  if (targets.size() != programCatalog.items.size()) targets.assign(programCatalog.items.size(), Target::Unknown);
  if (targets[index] == Target::Unknown) targets[index] = TargetGone(index) ? Target::Gone : Target::Shown;
  return targets[index] == Target::Shown;
}

}  // namespace

void TakeCatalog(Catalog* posted) {
  const std::unique_ptr<Catalog> taken(posted);
  programCatalog = std::move(*taken);
  targets.assign(programCatalog.items.size(), Target::Unknown);
}

ItemFilter ShownPrograms() {
  return {Shown, nullptr};
}

DWORD LoadPicks() {
  std::vector<uint8_t> file;
  std::string path;
  const DWORD error = ReadDataFile(PICKS_FILE_NAME, file, path);
  if (error != ERROR_SUCCESS) return FileIsAbsent(error) ? ERROR_SUCCESS : error;
  programPicks = DecodePicks({reinterpret_cast<const char*>(file.data()), file.size()});
  return ERROR_SUCCESS;
}

DWORD SavePicks() {
  const std::string file = EncodePicks(programPicks);
  return WriteDataFile(PICKS_FILE_NAME, file.data(), static_cast<DWORD>(file.size()));
}
