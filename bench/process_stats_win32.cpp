#include <windows.h>
// psapi after windows.h
#include <psapi.h>

#include "bench/process_stats.h"

namespace lv::bench {

namespace {
double seconds(const FILETIME& t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return static_cast<double>(v.QuadPart) * 1e-7;
}
}  // namespace

double cpu_seconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return seconds(kernel) + seconds(user);
}

long long peak_memory_kib() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long long>(counters.PeakWorkingSetSize / 1024);
}

}  // namespace lv::bench
