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

}  // namespace lv::ui
