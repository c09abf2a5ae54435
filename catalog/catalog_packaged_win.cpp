#include "catalog/catalog_packaged_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <versionhelpers.h>

#include "base/code_page_win.h"

namespace {

// FOLDERID_AppsFolder and BHID_EnumItems, which not every SDK's libraries define.
const GUID APPS_FOLDER = {0x1e87508d, 0x89c2, 0x42f0, {0x8a, 0x7e, 0x64, 0x5a, 0x0f, 0x50, 0xca, 0x58}};
const GUID ENUM_ITEMS_HANDLER = {0x94f60519, 0x2850, 0x4924, {0xaa, 0x5a, 0xd1, 0x5e, 0x84, 0x86, 0x80, 0x39}};
// Where Windows keeps the user's packages: without it there is no packaged app to find,
// and COM's libraries need not be loaded to learn so.
const wchar_t PACKAGES_KEY[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\Packages";

// The item's display name of this kind, as UTF-8; empty where it has none.
std::string DisplayName(const ShellObjects& objects, IShellItem* item, SIGDN kind) {
  wchar_t* name = NULL;
  if (item->GetDisplayName(kind, &name) != S_OK) return std::string();
  std::string utf8 = WideToUtf8(name);
  objects.freeTask(name);
  return utf8;
}

void AddApps(const ShellObjects& objects, IEnumShellItems* apps, CatalogBuilder& builder) {
  IShellItem* app = NULL;
  while (apps->Next(1, &app, NULL) == S_OK) {
    // A packaged app's id names its package and the app in it: "Microsoft.WindowsCalculator_...!App".
    // Other ids are the Start Menu's shortcuts and the system's folders, found elsewhere.
    const std::string id = DisplayName(objects, app, SIGDN_PARENTRELATIVEPARSING);
    const std::string name = DisplayName(objects, app, SIGDN_NORMALDISPLAY);
    app->Release();
    if (id.find('!') == std::string::npos || name.empty()) continue;
    AddCatalogItem(builder, {name, {}, "shell:AppsFolder\\" + id, {}, {}, 0, ItemKind::PackagedApp,
                             ItemSource::Packaged});
  }
}

bool HasPackages() {
  HKEY packages;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, PACKAGES_KEY, 0, KEY_READ, &packages) != ERROR_SUCCESS) return false;
  RegCloseKey(packages);
  return true;
}

}  // namespace

bool AddPackagedApps(const ShellObjects& objects, CatalogBuilder& builder) {
  if (!IsWindows8OrGreater() || !HasPackages() || !objects.uninitialize || !objects.knownFolderItem) return false;
  IShellItem* folder = NULL;
  IEnumShellItems* apps = NULL;
  const bool found = objects.knownFolderItem(APPS_FOLDER, KF_FLAG_DEFAULT, NULL, __uuidof(IShellItem),
                                             reinterpret_cast<void**>(&folder)) == S_OK;
  if (found && folder->BindToHandler(NULL, ENUM_ITEMS_HANDLER, __uuidof(IEnumShellItems),
                                     reinterpret_cast<void**>(&apps)) == S_OK) {
    AddApps(objects, apps, builder);
    apps->Release();
  }
  if (folder) folder->Release();
  return found;
}
