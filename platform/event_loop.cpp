#include "platform/event_loop.h"

#include "platform/backend.h"
#include "platform/paced_timer.h"
#include "platform/program.h"

namespace lv::ui {

namespace {
int nested = 0;
const std::function<bool()>* innermost = nullptr;

bool wait_over(const std::function<bool()>& done) {
  return program().ended() || done();
}
}  // namespace

void run_until(const std::function<bool()>& done) {
  refuse_to_wait_in_a_tick();
  ++nested;
  struct Leave {
    const std::function<bool()>* outer = innermost;
    ~Leave() {
      --nested;
      innermost = outer;
    }
  } leave;
  innermost = &done;
  while (!wait_over(done)) {
    if (Timer* behind = timer_catching_up()) {
      behind->impl().wake();
      if (wait_over(done)) return;
      backend::take_turn(false);
    } else {
      backend::take_turn(true);
    }
  }
}

int waits_nested() {
  return nested;
}

bool loop_must_wake() {
  return !innermost || wait_over(*innermost) || timer_catching_up() != nullptr;
}

}  // namespace lv::ui
