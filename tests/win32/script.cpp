#include "tests/win32/script.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace lv::test {

namespace {

constexpr int kMostTicksWaited = 400;  // twenty seconds

// Whether keys or messages posted by an earlier step are still waiting in the queue.
bool input_pending() {
  return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSE | QS_POSTMESSAGE)) != 0;
}

}  // namespace

Script::Step Script::when(std::function<bool()> condition, std::function<void()> act) {
  Step step(std::move(act));
  step.ready = std::move(condition);
  return step;
}

Script::Script(std::vector<Step> steps) : steps_(std::move(steps)) {
  timer_.on_tick = [this] { tick(); };
  timer_.start();
}

void Script::tick() {
  if (next_ < steps_.size() && !input_pending() && steps_[next_].ready()) {
    ticks_waited_ = 0;
    steps_[next_++].action();
    return;
  }
  // A step whose condition never comes, or a last step that left a window shown, would
  // otherwise wait for ever.
  if (++ticks_waited_ == kMostTicksWaited) {
    ADD_FAILURE() << (finished() ? "the script is over but show_modal has not returned"
                                 : "the script's next step never became ready");
    ui::end_program();
  }
}

}  // namespace lv::test
