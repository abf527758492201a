#include "bench/busy_load.h"

namespace lv::bench {

BusyLoad::BusyLoad(unsigned threads, std::chrono::seconds at_most) {
  const auto deadline = std::chrono::steady_clock::now() + at_most;
  for (unsigned i = 0; i < threads; ++i) {
    threads_.emplace_back([this, deadline] {
      volatile unsigned long long sink = 0;
      while (!stop_.load(std::memory_order_relaxed)) {
        for (int n = 0; n < 100000; ++n) sink = sink + static_cast<unsigned long long>(n);
        if (std::chrono::steady_clock::now() > deadline) break;
      }
    });
  }
}

BusyLoad::~BusyLoad() {
  stop_ = true;
  for (std::thread& t : threads_) t.join();
}

}  // namespace lv::bench
