// Plays a test's steps while the program waits in show_modal, at most one per tick of a timer:
// the steps look at the windows and post keys, which the program's own message loop then
// handles. A step waits until the keys posted before it have been handled and, if it has a
// condition, until the condition holds, so ticks that come late or close together do not matter.
// A step must not show a window modally itself: the script's timer waits until its step returns.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "platform/controls.h"

namespace lv::test {

class Script {
 public:
  struct Step {
    template <typename Action>
    Step(Action act) : action(std::move(act)) {}  // NOLINT: a plain lambda is a step
    std::function<void()> action;
    std::function<bool()> ready = [] { return true; };
  };

  // A step that waits until `condition` holds (for a few seconds at most) before it acts.
  static Step when(
      std::function<bool()> condition, std::function<void()> act = [] {});

  explicit Script(std::vector<Step> steps);

  bool finished() const { return next_ == steps_.size(); }

 private:
  void tick();

  ui::Window window_{"script", "script", {0, 0, 1500, 1500}, ui::Background::standard};
  ui::Timer timer_{window_, "script", 50, false};
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int ticks_waited_ = 0;
};

}  // namespace lv::test
