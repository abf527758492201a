#include "bench/step_recorder.h"

#include <functional>

#include "bench/process_stats.h"
#include "startup/module1.h"

namespace lv::bench {

StepRecorder::StepRecorder(frm_werk& window) : window_(window) {
  // The pacing timer started while the window was being built, at a moment the recorder cannot
  // see. Starting it again now, with elapsed still 1, is the same as the window opening now, and
  // gives the schedule a known start.
  recording_.opened = Clock::now();
  window_.Timer1.start();
  std::function<void()> pacing = window_.Timer1.on_tick;
  window_.Timer1.on_tick = [this, pacing] {
    const std::int16_t steps_before = Module1.step_count;
    const bool resting_before = window_.Picture1.visible();
    pacing();
    const Clock::time_point now = Clock::now();
    ++recording_.pacing_ticks;
    if (Module1.step_count != steps_before || window_.Picture1.visible() != resting_before) {
      recording_.steps.push_back(now);
      // Costed from the first step on: showing and painting the whole window is not pacing.
      if (recording_.steps.size() == 1) recording_.cpu_at_first_step = cpu_seconds();
      if (window_.Picture1.visible()) recording_.cpu_at_rest = cpu_seconds();
    }
  };
  std::function<void()> rest = window_.Timer2.on_tick;
  window_.Timer2.on_tick = [this, rest] {
    rest();
    recording_.rest_ended = Clock::now();
    window_.window.hide();  // one series and its rest are enough
  };
}

}  // namespace lv::bench
