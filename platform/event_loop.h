// The program's own event loop, for the backends whose toolkit leaves the waiting to it: every
// modal showing and message runs it, nested as deep as the waits are.
#pragma once

#include <functional>

namespace lv::ui {

// Runs ticks and the toolkit's events until done() holds or the program has ended. A tick that a
// busy moment held back goes first, then one turn of the toolkit, so that ticks made up, painting
// and input take turns.
void run_until(const std::function<bool()>& done);

// How many run_until wait now, one inside the other.
int waits_nested();

// Whether the innermost run_until would go on at once if it woke: the program has ended, its
// done() holds, or a timer is catching up; also when none waits. A backend that runs a tick
// while the loop sleeps wakes the loop only when this holds.
bool loop_must_wake();

}  // namespace lv::ui
