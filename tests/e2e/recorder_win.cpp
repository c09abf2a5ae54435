// Stands in for the programs that Pellomar launches: appends its arguments, joined by
// " | ", as one line to "launches.txt" beside itself, and ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
  char* folderEnd = std::strrchr(path, '\\');
  if (length == 0 || length >= MAX_PATH || !folderEnd) return 1;
  std::strcpy(folderEnd + 1, "launches.txt");
  FILE* log = std::fopen(path, "ab");
  if (!log) return 1;
  for (int i = 1; i < __argc; ++i) std::fprintf(log, "%s%s", i > 1 ? " | " : "", __argv[i]);
  std::fprintf(log, "\n");
  std::fclose(log);
  return 0;
}
