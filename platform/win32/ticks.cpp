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

namespace lv::ui {

// The due time is given relative to now, in 100 ns units: an absolute one would follow changes
// of the system time. The system keeps the period's phase itself.
void Timer::Impl::ring(TickClock::duration first, std::chrono::milliseconds every) {
  using Units = std::chrono::duration<long long, std::ratio<1, 10'000'000>>;
  LARGE_INTEGER due;
  due.QuadPart = -std::max<long long>(std::chrono::ceil<Units>(first).count(), 1);
  win32::made(
      SetWaitableTimer(waitable, &due, static_cast<LONG>(every.count()), nullptr, nullptr, FALSE),
      "het tijdsignaal");
}

void Timer::Impl::silence() {
  CancelWaitableTimer(waitable);
}

void Timer::Impl::wake() {
  pacer.wake([this] { win32::run_handler(owner->on_tick); });
}

}  // namespace lv::ui

namespace lv::win32 {

namespace {

// The system timer at 1 ms for the rest of the run, for ordinary waitable timers.
struct OneMillisecondPeriod {
  OneMillisecondPeriod() { timeBeginPeriod(1); }
  ~OneMillisecondPeriod() { timeEndPeriod(1); }
  OneMillisecondPeriod(const OneMillisecondPeriod&) = delete;
  OneMillisecondPeriod& operator=(const OneMillisecondPeriod&) = delete;
};

constexpr UINT_PTR kSystemLoopTimer = 0x4C56;  // a window timer id of the program's own

// Every tick that is due, of every timer: the system's loop dispatches the window timer no more
// often than every 10 ms. A handler may stop or delete timers meanwhile.
void run_due_ticks() {
  const std::vector<ui::Timer::Impl*> timers = program().timers;
  for (ui::Timer::Impl* timer : timers) {
    const auto& live = program().timers;
    while (std::find(live.begin(), live.end(), timer) != live.end() && timer->pacer.due()) {
      timer->wake();
    }
  }
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

bool catching_up() {
  const auto& timers = program().timers;
  return std::any_of(timers.begin(), timers.end(),
                     [](const ui::Timer::Impl* timer) { return timer->pacer.catching_up(); });
}

bool run_next_tick() {
  for (ui::Timer::Impl* timer : program().timers) {
    if (timer->pacer.catching_up()) {
      timer->wake();
      return true;
    }
  }
  // Kept from pass to pass, so that waiting for a tick allocates nothing. A handler may wait in
  // here again, modally: nothing is read from them once the tick's handler runs.
  static std::vector<HANDLE> handles;
  static std::vector<ui::Timer::Impl*> timers;
  handles.clear();
  timers.clear();
  for (ui::Timer::Impl* timer : program().timers) {
    if (!timer->pacer.running()) continue;
    handles.push_back(timer->waitable);
    timers.push_back(timer);
  }
  // Lower indices win when several are ready, so a due tick goes before waiting input.
  const DWORD count = static_cast<DWORD>(handles.size());
  const DWORD result = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
  // A wait that fails would fail again at once: taken for "no tick", the loop would spin.
  if (result == WAIT_FAILED) cannot_go_on("Windows kon niet op de timers wachten.");
  if (result >= WAIT_OBJECT_0 + count) return false;
  timers[result - WAIT_OBJECT_0]->wake();
  return true;
}

bool tick_through_system_loops(HWND hwnd, UINT message, WPARAM wparam) {
  switch (message) {
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE:
      made(SetTimer(hwnd, kSystemLoopTimer, USER_TIMER_MINIMUM, nullptr), "het tijdsignaal");
      return true;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE:
      KillTimer(hwnd, kSystemLoopTimer);
      return true;
    case WM_TIMER:
      if (wparam != kSystemLoopTimer) return false;
      run_due_ticks();
      return true;
    default:
      return false;
  }
}

}  // namespace lv::win32
