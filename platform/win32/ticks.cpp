#include "platform/win32/ticks.h"

#include <mmsystem.h>

#include <vector>

#include "platform/win32/program.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace lv::win32 {

namespace {

constexpr long long kUnitsPerSecond = 10'000'000;  // 100 ns, the unit of waitable timers
constexpr long long kUnitsPerMillisecond = kUnitsPerSecond / 1000;

// The performance counter in 100 ns units: steady, unlike the system time.
long long now() {
  static const long long frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return count.QuadPart / frequency * kUnitsPerSecond +
         count.QuadPart % frequency * kUnitsPerSecond / frequency;
}

// The system timer at 1 ms for the rest of the run, for ordinary waitable timers.
struct OneMillisecondPeriod {
  OneMillisecondPeriod() { timeBeginPeriod(1); }
  ~OneMillisecondPeriod() { timeEndPeriod(1); }
  OneMillisecondPeriod(const OneMillisecondPeriod&) = delete;
  OneMillisecondPeriod& operator=(const OneMillisecondPeriod&) = delete;
};

bool ticking(const ui::Timer::Impl& timer) {
  return timer.running && timer.interval_ms > 0;
}

// Arms the waitable timer for the schedule's next deadline. The due time is given relative to
// now, from the steady counter: an absolute due time would follow changes of the system time.
void arm(ui::Timer::Impl& timer) {
  const long long wait =
      timer.start + timer.next * timer.interval_ms * kUnitsPerMillisecond - now();
  LARGE_INTEGER due;
  due.QuadPart = -(wait > 0 ? wait : 1);
  SetWaitableTimer(timer.waitable, &due, 0, nullptr, nullptr, FALSE);
}

void run_tick(ui::Timer::Impl& timer) {
  if (!ticking(timer)) return;
  // Ticks that are already late are skipped, not made up.
  const long long period = timer.interval_ms * kUnitsPerMillisecond;
  timer.next = (now() - timer.start) / period + 1;
  arm(timer);
  run_handler(timer.owner->on_tick);
}

}  // namespace

bool high_resolution_timers() {
  static const bool available = [] {
    HANDLE probe = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    if (!probe) return false;
    CloseHandle(probe);
    return true;
  }();
  return available;
}

HANDLE make_waitable_timer() {
  if (high_resolution_timers()) {
    return CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                  TIMER_ALL_ACCESS);
  }
  static const OneMillisecondPeriod period;
  return CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

void start_ticks(ui::Timer::Impl& timer) {
  timer.start = now();
  timer.next = 1;
  if (ticking(timer)) arm(timer);
}

void stop_ticks(ui::Timer::Impl& timer) {
  timer.running = false;
  CancelWaitableTimer(timer.waitable);
}

bool run_next_tick(DWORD timeout_ms) {
  std::vector<HANDLE> handles;
  std::vector<ui::Timer::Impl*> timers;
  for (ui::Timer::Impl* timer : program().timers) {
    if (!ticking(*timer)) continue;
    handles.push_back(timer->waitable);
    timers.push_back(timer);
  }
  // Lower indices win when several are ready, so a due tick goes before waiting input.
  const DWORD count = static_cast<DWORD>(handles.size());
  const DWORD result = MsgWaitForMultipleObjectsEx(count, handles.data(), timeout_ms, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
  if (result >= WAIT_OBJECT_0 + count) return false;
  run_tick(*timers[result - WAIT_OBJECT_0]);
  return true;
}

}  // namespace lv::win32
