#include "catalog/catalog_scan_win.h"
// After windows.h, which they need.
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "base/code_page_win.h"
#include "base/folder_entries_win.h"
#include "base/system_library_win.h"
#include "catalog/catalog_packaged_win.h"

namespace {

// Deeper than any Start Menu goes; a guard against paths that never end.
const int MAX_FOLDER_DEPTH = 8;
const wchar_t APP_PATHS_KEY[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

// What one scan reads from and writes to; the shell's optional libraries are loaded for
// it alone and let go after, on this thread.
struct Scan {
  const ShellObjects& objects;
  const Catalog& previous;
  // The items of previous by their launch hashes: the hash in the high half, the index in
  // the low one, in order.
  std::vector<uint64_t> previousByLaunch;
  CatalogBuilder builder;
  decltype(&SHLoadIndirectString) loadIndirectString;
};

// The item of the previous catalog that launches this, if any.
const CatalogItem* PreviousItem(const Scan& scan, std::string_view launch, size_t& index) {
  const uint64_t hash = LaunchHash(launch);
  for (auto at = std::lower_bound(scan.previousByLaunch.begin(), scan.previousByLaunch.end(), hash << 32);
       at != scan.previousByLaunch.end() && *at >> 32 == hash; ++at) {
    index = static_cast<uint32_t>(*at);
    if (GetItemText(scan.previous, index, ItemText::Launch) == launch) return &scan.previous.items[index];
  }
  return nullptr;
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view ending) {
  return text.size() >= ending.size() && _wcsicmp(text.data() + text.size() - ending.size(), ending.data()) == 0;
}

bool SameFolder(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::string ExpandVariables(std::string_view text) {
  const std::wstring wide = Utf8ToWide(text);
  wchar_t expanded[MAX_PATH * 4];
  const DWORD length = ExpandEnvironmentStringsW(wide.c_str(), expanded, MAX_PATH * 4);
  return length > 0 && length <= MAX_PATH * 4 ? WideToUtf8(expanded) : std::string(text);
}

// The names the shell shows for the files of a folder where they differ from the files'
// own ("Rechner" for Calculator.lnk), from its desktop.ini: text, or a string of a
// library's resources; by file name.
using LocalizedNames = std::vector<std::pair<std::wstring, std::string>>;

LocalizedNames ReadLocalizedNames(const std::wstring& folder, const Scan& scan) {
  LocalizedNames names;
  std::wstring section(8192, L'\0');
  GetPrivateProfileSectionW(L"LocalizedFileNames", section.data(), static_cast<DWORD>(section.size()),
                            (folder + L"\\desktop.ini").c_str());
  for (const wchar_t* line = section.c_str(); *line; line += wcslen(line) + 1) {
    const wchar_t* equals = wcschr(line, L'=');
    if (!equals || !equals[1]) continue;
    wchar_t loaded[256] = {};
    if (equals[1] == L'@' && (!scan.loadIndirectString || scan.loadIndirectString(equals + 1, loaded, 256, NULL) != S_OK))
      continue;
    names.emplace_back(std::wstring(line, equals), WideToUtf8(equals[1] == L'@' ? loaded : equals + 1));
  }
  return names;
}

std::string ShownName(const LocalizedNames& names, const wchar_t* file) {
  for (const auto& [named, shown] : names)
    if (_wcsicmp(named.c_str(), file) == 0) return shown;
  return std::string();
}

uint64_t WriteTimeOf(const WIN32_FIND_DATAW& found) {
  return static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32 | found.ftLastWriteTime.dwLowDateTime;
}

// A shortcut of the Start Menu or a Desktop; false where it is damaged or no shortcut.
void AddShortcut(Scan& scan, const std::wstring& path, const WIN32_FIND_DATAW& found, const std::string& shownName,
                 ItemSource source) {
  const std::string launch = WideToUtf8(path);
  const uint64_t written = WriteTimeOf(found);
  std::wstring_view file(found.cFileName);
  const std::string fileName = WideToUtf8(file.substr(0, file.rfind(L'.')));
  const std::string& name = shownName.empty() ? fileName : shownName;
  size_t i = 0;
  const CatalogItem* before = PreviousItem(scan, launch, i);
  if (before && before->writeTime == written) {
    AddCatalogItem(scan.builder, {name, fileName, launch, GetItemText(scan.previous, i, ItemText::Target),
                                  GetItemText(scan.previous, i, ItemText::Arguments), written, ItemKind::Shortcut,
                                  source});
    return;
  }
  std::wstring target, arguments;
  if (EndsWithNoCase(file, L".lnk")) {
    if (!ReadShortcut(scan.objects, path, target, arguments)) return;
  } else if (EndsWithNoCase(file, L".url")) {
    wchar_t address[INFOTIPSIZE] = {};
    GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", address, INFOTIPSIZE, path.c_str());
    if (!address[0]) return;
    target = address;
  }
  // A ClickOnce application (.appref-ms) names no target of its own: it is launched as it is.
  AddCatalogItem(scan.builder, {name, fileName, launch, WideToUtf8(target), WideToUtf8(arguments), written,
                                ItemKind::Shortcut, source});
}

bool IsShortcut(std::wstring_view file) {
  return EndsWithNoCase(file, L".lnk") || EndsWithNoCase(file, L".url") || EndsWithNoCase(file, L".appref-ms");
}

void ScanFolder(Scan& scan, const std::wstring& folder, ItemSource source, int depth, const std::wstring& leftOut) {
  if (folder.empty()) return;
  const LocalizedNames localized = ReadLocalizedNames(folder, scan);
  for (FolderEntries entries(folder + L"\\*"); entries.Next();) {
    const WIN32_FIND_DATAW& found = entries.found;
    const std::wstring path = folder + L'\\' + found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      if (IsShortcut(found.cFileName)) AddShortcut(scan, path, found, ShownName(localized, found.cFileName), source);
    } else if (depth > 0 && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && !SameFolder(path, leftOut)) {
      // A junction or link may lead anywhere, back up the tree included.
      ScanFolder(scan, path, source, depth - 1, leftOut);
    }
  }
}

// A value of the registry as a path: expanded where it holds variables, without quotes.
std::wstring PathValue(HKEY key, const wchar_t* subkey) {
  wchar_t value[MAX_PATH * 2] = {};
  DWORD type = 0, size = sizeof value - sizeof(wchar_t);
  HKEY program;
  if (RegOpenKeyExW(key, subkey, 0, KEY_QUERY_VALUE, &program) != ERROR_SUCCESS) return std::wstring();
  const LONG error = RegQueryValueExW(program, NULL, NULL, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(program);
  if (error != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::wstring();
  std::wstring path = value;
  if (type == REG_EXPAND_SZ) path = Utf8ToWide(ExpandVariables(WideToUtf8(path)));
  if (path.size() >= 2 && path.front() == L'"') path = path.substr(1, path.find(L'"', 1) - 1);
  return path;
}

// The programs registered under App Paths, as the name they are registered by ("firefox").
void ScanAppPaths(Scan& scan, HKEY root, REGSAM view) {
  HKEY appPaths;
  if (RegOpenKeyExW(root, APP_PATHS_KEY, 0, KEY_READ | view, &appPaths) != ERROR_SUCCESS) return;
  wchar_t name[256];
  for (DWORD i = 0, length = 256; RegEnumKeyExW(appPaths, i, name, &length, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
       ++i, length = 256) {
    const std::wstring path = PathValue(appPaths, name);
    if (path.empty()) continue;
    std::wstring_view shown(name);
    if (EndsWithNoCase(shown, L".exe")) shown.remove_suffix(4);
    const std::string launch = WideToUtf8(path);
    AddCatalogItem(scan.builder,
                   {WideToUtf8(shown), {}, launch, launch, {}, 0, ItemKind::AppPath, ItemSource::AppPaths});
  }
  RegCloseKey(appPaths);
}

// The programs in PATH's folders on this computer's own drives: a network folder that
// does not answer must not hold the scan up.
void ScanPath(Scan& scan) {
  std::wstring variable(GetEnvironmentVariableW(L"PATH", NULL, 0), L'\0');
  const DWORD length = GetEnvironmentVariableW(L"PATH", variable.data(), static_cast<DWORD>(variable.size()));
  if (length == 0 || length >= variable.size()) return;
  std::wstring_view rest(variable.data(), length);
  while (!rest.empty()) {
    std::wstring folder(rest.substr(0, rest.find(L';')));
    rest.remove_prefix(std::min(rest.size(), folder.size() + 1));
    if (folder.size() >= 2 && folder.front() == L'"') folder = folder.substr(1, folder.size() - 2);
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    if (folder.size() < 2 || folder[1] != L':' || GetDriveTypeW((folder.substr(0, 2) + L"\\").c_str()) == DRIVE_REMOTE)
      continue;
    for (FolderEntries entries(folder + L"\\*.exe"); entries.Next();) {
      if (entries.found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::wstring_view file(entries.found.cFileName);
      const std::string launch = WideToUtf8(folder + L'\\' + entries.found.cFileName);
      AddCatalogItem(scan.builder, {WideToUtf8(file.substr(0, file.size() - 4)), {}, launch, launch, {}, 0,
                                    ItemKind::PathProgram, ItemSource::Path});
    }
  }
}

std::wstring ShellFolder(decltype(&SHGetFolderPathW) folderPath, int id) {
  wchar_t path[MAX_PATH] = {};
  return folderPath && folderPath(NULL, id, NULL, SHGFP_TYPE_CURRENT, path) == S_OK ? path : L"";
}

}  // namespace

CatalogSources SystemCatalogSources() {
  const HMODULE shell = LoadLibraryW(L"shell32.dll");
  const auto folderPath = FunctionOf<decltype(SHGetFolderPathW)>(shell, "SHGetFolderPathW");
  CatalogSources sources = {ShellFolder(folderPath, CSIDL_STARTMENU),
                            ShellFolder(folderPath, CSIDL_COMMON_STARTMENU),
                            ShellFolder(folderPath, CSIDL_STARTUP),
                            ShellFolder(folderPath, CSIDL_COMMON_STARTUP),
                            ShellFolder(folderPath, CSIDL_DESKTOPDIRECTORY),
                            ShellFolder(folderPath, CSIDL_COMMON_DESKTOPDIRECTORY),
                            true,
                            true,
                            true};
  if (shell) FreeLibrary(shell);
  return sources;
}

Catalog ScanCatalog(CatalogSources& sources, const Catalog& previous, const ShellObjects& objects) {
  const HMODULE lightweightShell = LoadLibraryW(L"shlwapi.dll");
  Scan scan = {objects, previous, {}, {},
               FunctionOf<decltype(SHLoadIndirectString)>(lightweightShell, "SHLoadIndirectString")};
  for (uint32_t i = 0; i < previous.items.size(); ++i)
    scan.previousByLaunch.push_back(uint64_t{previous.items[i].launchHash} << 32 | i);
  std::sort(scan.previousByLaunch.begin(), scan.previousByLaunch.end());
  // In the order in which a program found twice keeps its first copy.
  ScanFolder(scan, sources.userStartMenu, ItemSource::UserStartMenu, MAX_FOLDER_DEPTH, sources.userStartup);
  ScanFolder(scan, sources.commonStartMenu, ItemSource::CommonStartMenu, MAX_FOLDER_DEPTH, sources.commonStartup);
  ScanFolder(scan, sources.userDesktop, ItemSource::UserDesktop, 0, std::wstring());
  ScanFolder(scan, sources.publicDesktop, ItemSource::PublicDesktop, 0, std::wstring());
  if (sources.appPaths) {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      ScanAppPaths(scan, root, KEY_WOW64_64KEY);
      ScanAppPaths(scan, root, KEY_WOW64_32KEY);
    }
  }
  if (sources.path) ScanPath(scan);
  if (sources.packaged) sources.packaged = AddPackagedApps(objects, scan.builder);
  if (lightweightShell) FreeLibrary(lightweightShell);
  return FinishCatalog(std::move(scan.builder), ExpandVariables);
}
