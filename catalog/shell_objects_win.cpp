#include "catalog/shell_objects_win.h"

#include "base/system_library_win.h"

ShellObjects OpenShellObjects() {
  ShellObjects objects = {};
  objects.ole = LoadLibraryW(L"ole32.dll");
  objects.shell = LoadLibraryW(L"shell32.dll");
  const auto initialize = FunctionOf<decltype(CoInitializeEx)>(objects.ole, "CoInitializeEx");
  const auto createInstance = FunctionOf<decltype(CoCreateInstance)>(objects.ole, "CoCreateInstance");
  objects.uninitialize = FunctionOf<decltype(CoUninitialize)>(objects.ole, "CoUninitialize");
  objects.freeTask = FunctionOf<decltype(CoTaskMemFree)>(objects.ole, "CoTaskMemFree");
  objects.knownFolderItem = FunctionOf<decltype(SHGetKnownFolderItem)>(objects.shell, "SHGetKnownFolderItem");
  if (!initialize || !createInstance || !objects.uninitialize || !objects.freeTask ||
      FAILED(initialize(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
    objects.uninitialize = nullptr;
    return objects;
  }
  if (createInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                     reinterpret_cast<void**>(&objects.link)) == S_OK &&
      objects.link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&objects.linkFile)) != S_OK)
    objects.linkFile = NULL;
  return objects;
}

void CloseShellObjects(ShellObjects& objects) {
  if (objects.linkFile) objects.linkFile->Release();
  if (objects.link) objects.link->Release();
  if (objects.uninitialize) objects.uninitialize();
  for (const HMODULE library : {objects.shell, objects.ole})
    if (library) FreeLibrary(library);
  objects = ShellObjects{};
}

bool ReadShortcut(const ShellObjects& objects, const std::wstring& path, std::wstring& target,
                  std::wstring& arguments) {
  if (!objects.linkFile || objects.linkFile->Load(path.c_str(), STGM_READ) != S_OK) return false;
  wchar_t text[INFOTIPSIZE] = {};
  // The raw path: as the shortcut keeps it, with no search for it.
  if (FAILED(objects.link->GetPath(text, INFOTIPSIZE, NULL, SLGP_RAWPATH))) text[0] = L'\0';
  target = text;
  text[0] = L'\0';
  if (FAILED(objects.link->GetArguments(text, INFOTIPSIZE))) text[0] = L'\0';
  arguments = text;
  return true;
}
