// How a start-up probe reports: when its first window was up and waiting, and its peak memory.
#pragma once

#include <chrono>
#include <cstdio>

#include "bench/process_stats.h"

namespace lv::bench {

inline void report_shown(const char* file) {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  if (std::FILE* out = std::fopen(file, "w")) {
    std::fprintf(
        out, "%lld %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
        peak_memory_kib());
    std::fclose(out);
  }
}

}  // namespace lv::bench
