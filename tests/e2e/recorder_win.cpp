// Stands in for the programs that Pellomar launches: appends the working directory it was
// given and its arguments, joined by " | ", in UTF-8 whatever the code page, as one line
// to "launches.txt" beside itself, and ends. It is registered with its full path, which
// it finds its folder in.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring path = arguments[0];
  path.erase(path.find_last_of(L'\\') + 1) += L"launches.txt";
  FILE* log = _wfopen(path.c_str(), L"ab");
  if (!log) return 1;
  wchar_t directory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, directory);
  arguments[0] = directory;
  for (int i = 0; i < count; ++i) {
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, arguments[i], -1, utf8, sizeof utf8, NULL, NULL);
    std::fprintf(log, "%s%s", i > 0 ? " | " : "", utf8);
  }
  std::fprintf(log, "\n");
  return std::fclose(log);
}
