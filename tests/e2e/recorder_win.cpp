// Stands in for the programs that Pellomar launches: appends its arguments, joined by
// " | ", as one line to "launches.txt" beside itself, and ends. It is registered with its
// full path, which it finds its folder in.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string path = __argv[0];
  path.erase(path.find_last_of('\\') + 1) += "launches.txt";
  FILE* log = std::fopen(path.c_str(), "ab");
  if (!log) return 1;
  for (int i = 1; i < __argc; ++i) std::fprintf(log, "%s%s", i > 1 ? " | " : "", __argv[i]);
  std::fprintf(log, "\n");
  return std::fclose(log);
}
