// What the process has used so far, as its operating system counts it.
#pragma once

namespace lv::bench {

double cpu_seconds();         // user and system time of the whole process
long long peak_memory_kib();  // peak resident set (Linux) or peak working set (Windows)

}  // namespace lv::bench
