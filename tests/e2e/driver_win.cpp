// Drives a running Pellomar from outside, as another program of the same Wine prefix. It
// exits 0 when it did what it was asked, else 1 (2 for an unknown command).
//
//   driver post-bar MSG WPARAM  posts a message to the bar (window class "parentwindow")
//   driver answer-box CAPTION   waits up to 15 seconds for the message box so captioned,
//                               prints its text and answers OK
//   driver await-menu           waits up to 15 seconds for a popup menu to show
//   driver make-shortcut LINK TARGET ARGUMENTS FOLDER
//                               saves a shortcut as the shell makes them
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 4 && !std::strcmp(argv[1], "post-bar")) {
    const HWND bar = FindWindowA("parentwindow", NULL);
    return bar && PostMessageA(bar, std::strtoul(argv[2], NULL, 0), std::strtoul(argv[3], NULL, 0), 0) ? 0 : 1;
  }
  if (argc == 2 && !std::strcmp(argv[1], "await-menu")) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 15000; Sleep(20)) {
      const HWND menu = FindWindowA("#32768", NULL);
      if (menu && IsWindowVisible(menu)) return 0;
    }
    return 1;
  }
  if (argc == 6 && !std::strcmp(argv[1], "make-shortcut")) {
    IShellLinkA* link = NULL;
    IPersistFile* file = NULL;
    wchar_t path[MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, path, MAX_PATH);
    const bool saved = CoInitialize(NULL) == S_OK &&
                       CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                        reinterpret_cast<void**>(&link)) == S_OK &&
                       link->SetPath(argv[3]) == S_OK && link->SetArguments(argv[4]) == S_OK &&
                       link->SetWorkingDirectory(argv[5]) == S_OK &&
                       link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK &&
                       file->Save(path, TRUE) == S_OK;
    return saved ? 0 : 1;
  }
  if (argc != 3 || std::strcmp(argv[1], "answer-box")) return 2;
  HWND box;
  for (const DWORD start = GetTickCount(); !(box = FindWindowA("#32770", argv[2])); Sleep(20))
    if (GetTickCount() - start >= 15000) return 1;
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text control
  std::printf("%s\n", text);
  return PostMessageA(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
}
