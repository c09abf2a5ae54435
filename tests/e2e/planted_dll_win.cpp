// A stand-in for a system library that someone planted beside the program: loaded, it
// leaves "planted.txt" beside itself. The program must never load it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  char* name = path + length;
  while (name > path && name[-1] != '\\') --name;
  if (length == 0 || length >= MAX_PATH || name + sizeof "planted.txt" > path + MAX_PATH) return TRUE;
  lstrcpyA(name, "planted.txt");
  const HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  return TRUE;
}
