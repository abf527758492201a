#include "platform/win32/ticks.h"

#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/win32/creation.h"
#include "platform/win32/program.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace lv::win32 {

namespace {

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
// now, in 100 ns units, from the steady clock: an absolute due time would follow changes of the
// system time.
void arm(ui::Timer::Impl& timer) {
  using Units = std::chrono::duration<long long, std::ratio<1, 10'000'000>>;
  const auto wait =
      std::chrono::ceil<Units>(timer.schedule.next_deadline() - ui::TickSchedule::Clock::now());
  LARGE_INTEGER due;
  due.QuadPart = -std::max<long long>(wait.count(), 1);
  made(SetWaitableTimer(timer.waitable, &due, 0, nullptr, nullptr, FALSE), "het tijdsignaal");
}

// Delivers a tick that is due, then arms for the next deadline, which has already passed when a
// busy moment held ticks back.
void run_tick(ui::Timer::Impl& timer) {
  if (!ticking(timer)) return;
  const unsigned generation = timer.generation;
  if (timer.schedule.take_due(ui::TickSchedule::Clock::now())) run_handler(timer.owner->on_tick);
  if (timer.generation == generation) arm(timer);  // unless the handler stopped or restarted it
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
  const char* what = "een timer";
  if (high_resolution_timers()) {
    return made(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                       TIMER_ALL_ACCESS),
                what);
  }
  static const OneMillisecondPeriod period;
  return made(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS), what);
}

void start_ticks(ui::Timer::Impl& timer) {
  ++timer.generation;
  timer.schedule.start(ui::TickSchedule::Clock::now(),
                       std::chrono::milliseconds(timer.interval_ms));
  if (ticking(timer)) arm(timer);
}

void stop_ticks(ui::Timer::Impl& timer) {
  ++timer.generation;
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
  // A wait that fails would fail again at once: taken for "no tick", the loop would spin.
  if (result == WAIT_FAILED) cannot_go_on("Windows kon niet op de timers wachten.");
  if (result >= WAIT_OBJECT_0 + count) return false;
  run_tick(*timers[result - WAIT_OBJECT_0]);
  return true;
}

}  // namespace lv::win32
