#include <windows.h>

#include "bench/bare_timer.h"

namespace lv::bench {

BareTimerRun run_bare_timer(long long ticks) {
  BareTimerRun run;
  run.ticks.reserve(static_cast<std::size_t>(ticks));
  run.started = std::chrono::steady_clock::now();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);  // a thread timer: WM_TIMER messages
  MSG msg;
  while (static_cast<long long>(run.ticks.size()) < ticks && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.wParam == timer) {
      run.ticks.push_back(std::chrono::steady_clock::now());
    } else {
      DispatchMessageW(&msg);
    }
  }
  KillTimer(nullptr, timer);
  return run;
}

}  // namespace lv::bench
