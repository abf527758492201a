// The program's message loop, also run nested by every modal showing.
#pragma once

#include <functional>

namespace lv::win32 {

// Runs ticks and messages until done() holds or the program has ended.
void run_until(const std::function<bool()>& done);

}  // namespace lv::win32
