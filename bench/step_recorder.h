// Watches the real exercise window and notes, from a monotonic clock, the moment of every step
// and of the end of the first rest. It chains itself in front of nothing: the drill's own tick
// handlers run first and unchanged, and the recorder only reads what they did.
#pragma once

#include <chrono>
#include <vector>

#include "exercise/frm_werk.h"

namespace lv::bench {

using Clock = std::chrono::steady_clock;

struct Recording {
  Clock::time_point opened;              // the pacing timer started with the window
  std::vector<Clock::time_point> steps;  // the 21 steps of the first series, the last one the rest
  Clock::time_point rest_ended;
  long long pacing_ticks = 0;
  double cpu_at_first_step = 0;  // process CPU seconds, to cost the pacing
  double cpu_at_rest = 0;
};

class StepRecorder {
 public:
  // Call right after the window is created; the window hides itself when the first rest ends.
  explicit StepRecorder(frm_werk& window);
  const Recording& recording() const { return recording_; }

 private:
  frm_werk& window_;
  Recording recording_;
};

}  // namespace lv::bench
