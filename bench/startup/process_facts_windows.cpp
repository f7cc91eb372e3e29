#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <string>
#include <vector>

#include "bench/startup/process_facts.h"

namespace startup {

namespace {

// FILETIME counts 100 ns steps.
double Milliseconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 1e4;
}

}  // namespace

// From the process's creation time, against the system clock it is given in.
double MsSinceProcessStart() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return Milliseconds(now) - Milliseconds(created);
}

double PeakMemoryMib() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

bool LibraryLoaded(const char* part) {
  const HANDLE process = GetCurrentProcess();
  std::vector<HMODULE> modules(256);
  DWORD needed = 0;
  for (;;) {
    const DWORD size = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
    if (!EnumProcessModules(process, modules.data(), size, &needed)) return false;
    if (needed <= size) break;
    modules.resize(needed / sizeof(HMODULE));  // more were loaded than there was room for
  }
  modules.resize(needed / sizeof(HMODULE));
  const std::string wanted(part);
  for (HMODULE module : modules) {
    char name[MAX_PATH];
    const DWORD length = GetModuleBaseNameA(process, module, name, MAX_PATH);
    if (length > 0 && std::string(name, length).find(wanted) != std::string::npos) return true;
  }
  return false;
}

}  // namespace startup
