// Keeps every core busy for as long as it lives, with loops that stop by themselves at a deadline.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace lv::bench {

class BusyLoad {
 public:
  BusyLoad(unsigned threads, std::chrono::seconds at_most);
  ~BusyLoad();
  BusyLoad(const BusyLoad&) = delete;
  BusyLoad& operator=(const BusyLoad&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

}  // namespace lv::bench
