// Plays a test's steps, one per tick of a timer, while the program waits in show_modal: the steps
// look at the windows and post keys, which the program's own message loop then handles.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/controls.h"

namespace lv::test {

class Script {
 public:
  using Step = std::function<void()>;
  explicit Script(std::vector<Step> steps);

  bool finished() const { return next_ == steps_.size(); }

 private:
  void tick();

  ui::Window window_{"script", "script", {0, 0, 1500, 1500}, ui::Background::standard};
  ui::Timer timer_{window_, "script", 50, false};
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int ticks_after_last_step_ = 0;
};

}  // namespace lv::test
