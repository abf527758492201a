// Timer ticks that come on time. A plain SetTimer of 10 ms ticks every 15.6 ms on Windows, so
// each Timer has a periodic waitable timer of its own, the alarm of its pacer
// (platform/tick_pacer.h): a late tick does not push later ones back, and ticks a busy moment
// held back come as soon as the thread runs again. The program's message loop waits on these
// timers together with the message queue and runs the handlers; while the system runs a loop of
// its own (a menu is open, a window is moved or sized), a window timer that loop dispatches
// brings the ticks instead.
#pragma once

#include <windows.h>

#include <chrono>

#include "platform/paced_timer.h"
#include "platform/win32/impl.h"

namespace lv::win32 {

// A periodic waitable timer with the finest resolution the system offers is the pacer's alarm;
// the system keeps the period's phase. The message loop waits on its handle.
class WaitableAlarm final : public ui::Alarm {
 public:
  WaitableAlarm();
  ~WaitableAlarm() override;
  WaitableAlarm(const WaitableAlarm&) = delete;
  WaitableAlarm& operator=(const WaitableAlarm&) = delete;

  void ring(ui::TickClock::duration first, std::chrono::milliseconds every) override;
  void silence() override;
  HANDLE handle() const { return waitable_; }

 private:
  HANDLE waitable_;
};

// Whether waitable timers are high-resolution ones (Windows 10 1803 and later), rather than
// ordinary ones with the system timer at 1 ms.
bool high_resolution_timers();

// Waits for a timer's alarm or for input to the message queue; runs the tick of the timer whose
// alarm rang, or returns false when input came first.
bool wait_for_tick_or_input();

// Keeps the ticks coming while the system runs a loop of its own for hwnd. Returns whether the
// message was one this takes care of.
bool tick_through_system_loops(HWND hwnd, UINT message, WPARAM wparam);

}  // namespace lv::win32
