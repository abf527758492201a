// Timer ticks that come on time. A plain SetTimer of 10 ms ticks every 15.6 ms on Windows, so
// each Timer has a waitable timer of its own, armed for the next deadline of a fixed schedule
// (start + n * interval, see platform/tick_schedule.h): a late tick does not push later ones
// back, and ticks a busy moment held back come as soon as the thread runs again. The message
// loops wait on these timers together with the message queue and run the handlers.
#pragma once

#include <windows.h>

#include "platform/win32/impl.h"

namespace lv::win32 {

// A waitable timer with the finest resolution the system offers.
HANDLE make_waitable_timer();

// Whether waitable timers are high-resolution ones (Windows 10 1803 and later), rather than
// ordinary ones with the system timer at 1 ms.
bool high_resolution_timers();

// Starts the schedule afresh from now.
void start_ticks(ui::Timer::Impl& timer);
void stop_ticks(ui::Timer::Impl& timer);

// Waits up to timeout_ms for a running timer's tick or for input to the message queue; runs the
// handler of a tick that came. Returns whether one did.
bool run_next_tick(DWORD timeout_ms);

}  // namespace lv::win32
