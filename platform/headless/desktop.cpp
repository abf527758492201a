// The simulated desktop's clock and the program-wide operations of the control layer.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/backend.h"
#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/paced_timer.h"
#include "platform/program.h"

namespace lv::headless {

Desktop& desktop() {
  static Desktop* const the_desktop = new Desktop;
  return *the_desktop;
}

void SimulatedAlarm::ring(ui::TickClock::duration first, std::chrono::milliseconds every) {
  ringing = true;
  due = desktop().now + std::chrono::ceil<std::chrono::milliseconds>(first).count();
  period = every.count();
}

void reset() {
  Desktop& d = desktop();
  d.now = 0;
  d.decimal_separator = ".";
  d.messages.clear();
  ui::program().start_afresh();
}

std::int64_t now() {
  return desktop().now;
}

void advance(std::int64_t ms) {
  if (ms < 0) throw std::invalid_argument("time runs forwards");
  Desktop& d = desktop();
  const std::int64_t until = d.now + ms;
  for (;;) {
    // The alarm due first; of two due together, the one of the timer made first.
    ui::Timer* next = nullptr;
    SimulatedAlarm* alarm = nullptr;
    for (ui::Timer* timer : ui::program().timers()) {
      auto& candidate = static_cast<SimulatedAlarm&>(*timer->impl().alarm);
      if (candidate.ringing && candidate.due <= until && (!alarm || candidate.due < alarm->due)) {
        next = timer;
        alarm = &candidate;
      }
    }
    if (!next) break;
    d.now = alarm->due;
    alarm->due += std::max<std::int64_t>(alarm->period, 1);  // it keeps its phase
    next->impl().wake();
  }
  d.now = until;
}

std::vector<std::string> take_messages() {
  return std::exchange(desktop().messages, {});
}

bool program_ended() {
  return ui::program().ended();
}

void set_decimal_separator(const std::string& separator) {
  desktop().decimal_separator = separator;
}

}  // namespace lv::headless

namespace lv::ui {

TickClock::time_point TickClock::now() noexcept {
  return time_point(std::chrono::milliseconds(headless::desktop().now));
}

std::unique_ptr<Alarm> make_alarm(Timer::Impl& /*timer*/) {
  return std::make_unique<headless::SimulatedAlarm>();
}

void backend::program_ended() {}

Toolkit::Toolkit(int&, char**) {}
Toolkit::~Toolkit() = default;

void show_error(const std::string&, const std::string& message) {
  refuse_to_wait_in_a_tick();
  headless::desktop().messages.push_back(message);
}

std::string decimal_separator() {
  return headless::desktop().decimal_separator;
}

std::uint64_t clock_value() {
  return static_cast<std::uint64_t>(headless::desktop().now);
}

}  // namespace lv::ui
