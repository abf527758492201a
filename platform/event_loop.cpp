#include "platform/event_loop.h"

#include "platform/backend.h"
#include "platform/paced_timer.h"
#include "platform/program.h"

namespace lv::ui {

namespace {
int nested = 0;
}  // namespace

void run_until(const std::function<bool()>& done) {
  refuse_to_wait_in_a_tick();
  ++nested;
  struct Leave {
    ~Leave() { --nested; }
  } leave;
  while (!program().ended() && !done()) {
    if (Timer* behind = timer_catching_up()) {
      behind->impl().wake();
      if (program().ended() || done()) return;
      backend::take_turn(false);
    } else {
      backend::take_turn(true);
    }
  }
}

int waits_nested() {
  return nested;
}

}  // namespace lv::ui
