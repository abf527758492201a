#include <windows.h>

#include <mmsystem.h>  // after windows.h, which it needs

#include <algorithm>
#include <chrono>

#include "platform/win32/creation.h"
#include "platform/win32/program.h"
#include "platform/win32/ticks.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace lv::ui {

std::unique_ptr<Alarm> make_alarm(Timer::Impl& /*timer*/) {
  return std::make_unique<win32::WaitableAlarm>();
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

WaitableAlarm::WaitableAlarm() : waitable_(make_waitable_timer()) {}

WaitableAlarm::~WaitableAlarm() {
  CloseHandle(waitable_);
}

// The due time is given relative to now, in 100 ns units: an absolute one would follow changes
// of the system time. The system keeps the period's phase itself.
void WaitableAlarm::ring(ui::TickClock::duration first, std::chrono::milliseconds every) {
  using Units = std::chrono::duration<long long, std::ratio<1, 10'000'000>>;
  LARGE_INTEGER due;
  due.QuadPart = -std::max<long long>(std::chrono::ceil<Units>(first).count(), 1);
  made(SetWaitableTimer(waitable_, &due, static_cast<LONG>(every.count()), nullptr, nullptr, FALSE),
       "het tijdsignaal");
}

void WaitableAlarm::silence() {
  CancelWaitableTimer(waitable_);
}

}  // namespace lv::win32
