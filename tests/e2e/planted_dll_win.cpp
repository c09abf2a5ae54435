// A stand-in for a system library that someone planted beside the program: loaded, it
// leaves "planted.txt" beside itself. The program must never load it.
#include <windows.h>

#include <cstdio>
#include <string>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (reason != DLL_PROCESS_ATTACH || length == 0 || length >= MAX_PATH) return TRUE;
  std::string marker(path, length);
  marker.erase(marker.find_last_of('\\') + 1) += "planted.txt";
  if (FILE* file = std::fopen(marker.c_str(), "wb")) std::fclose(file);
  return TRUE;
}
