#include "tests/scenario/story_thread.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/program.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "tests/scenario/user.h"

namespace lv::user {

void run_beside_the_program(const std::function<void()>& story,
                            const std::function<void()>& serve) {
  forms::unload_all();
  ui::program().start_afresh();
  std::atomic<bool> over{false};
  std::thread user([&] {
    story();
    look([] {
      if (!ui::program().ended()) ui::end_program();
    });
    over = true;
  });
  Main();
  while (!over) serve();
  user.join();
  forms::unload_all();
}

bool wait_until(const std::function<bool()>& condition) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!see(condition)) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

double clock_ms() {
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void press(Key key) {
  hold(key);
  release(key);
}

}  // namespace lv::user
