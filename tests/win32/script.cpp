#include "tests/win32/script.h"

#include <gtest/gtest.h>

namespace lv::test {

Script::Script(std::vector<Step> steps) : steps_(std::move(steps)) {
  timer_.on_tick = [this] { tick(); };
  timer_.start();
}

void Script::tick() {
  if (next_ < steps_.size()) {
    steps_[next_++]();
    return;
  }
  // A script whose last step left a window shown would otherwise wait for ever.
  if (++ticks_after_last_step_ == 40) {
    ADD_FAILURE() << "the script is over but show_modal has not returned";
    ui::end_program();
  }
}

}  // namespace lv::test
