// Starts programs again and again and measures each: the time from process start until
// its window is visible and painted (the process has gone idle waiting for input), its
// working set and private bytes once idle, and the CPU time it uses while idle.
//
//   measure STARTS IDLE_MS EXE CLASS [EXE CLASS ...]
//
// The programs take turns, so drift of the machine touches all of them alike. Prints one
// line per program: name, median start-up ms, working set KB, private KB, idle CPU ms.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Subject {
  const char* exe;
  const char* windowClass;
  std::vector<double> startMilliseconds;
  SIZE_T workingSet = 0;
  SIZE_T privateBytes = 0;
  double idleCpuMilliseconds = 0;
};

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return counter.QuadPart * 1000.0 / frequency.QuadPart;
}

double CpuMilliseconds(HANDLE process) {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(process, &created, &ended, &kernel, &user);
  const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

HWND VisibleWindow(const char* windowClass, DWORD timeoutMs) {
  const double deadline = Now() + timeoutMs;
  for (;;) {
    const HWND window = FindWindowA(windowClass, NULL);
    if (window && IsWindowVisible(window)) return window;
    if (Now() > deadline) return NULL;
    Sleep(1);
  }
}

bool MeasureOnce(Subject& subject, DWORD idleMs, bool lastRound) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  char commandLine[MAX_PATH + 2];
  std::snprintf(commandLine, sizeof commandLine, "\"%s\"", subject.exe);
  const double start = Now();
  if (!CreateProcessA(subject.exe, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return false;
  WaitForInputIdle(process.hProcess, 10000);
  const HWND window = VisibleWindow(subject.windowClass, 10000);
  subject.startMilliseconds.push_back(Now() - start);

  if (lastRound) {
    Sleep(500);  // settle
    const double cpuBefore = CpuMilliseconds(process.hProcess);
    Sleep(idleMs);
    subject.idleCpuMilliseconds = CpuMilliseconds(process.hProcess) - cpuBefore;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    subject.workingSet = memory.WorkingSetSize;
    subject.privateBytes = memory.PagefileUsage;
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return window != NULL;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || (argc - 3) % 2 != 0) {
    std::fprintf(stderr, "usage: measure STARTS IDLE_MS EXE CLASS [EXE CLASS ...]\n");
    return 2;
  }
  const int starts = std::atoi(argv[1]);
  const DWORD idleMs = static_cast<DWORD>(std::atoi(argv[2]));
  std::vector<Subject> subjects;
  for (int i = 3; i < argc; i += 2) subjects.push_back({argv[i], argv[i + 1], {}});

  for (int round = 0; round < starts; ++round)
    for (Subject& subject : subjects)
      if (!MeasureOnce(subject, idleMs, round == starts - 1)) {
        std::fprintf(stderr, "measure: %s showed no window\n", subject.exe);
        return 1;
      }

  for (Subject& subject : subjects) {
    std::vector<double>& times = subject.startMilliseconds;
    std::sort(times.begin(), times.end());
    std::printf("%s %.1f %zu %zu %.1f\n", subject.exe, times[times.size() / 2], subject.workingSet / 1024,
                subject.privateBytes / 1024, subject.idleCpuMilliseconds);
  }
  return 0;
}
