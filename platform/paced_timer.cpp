#include "platform/paced_timer.h"

#include <algorithm>
#include <stdexcept>

#include "platform/program.h"

namespace lv::ui {

namespace {
bool in_a_tick = false;

// A show and its hide may come from different timers (the last syllable's and the rest's): what
// matters between them is what any timer gave up.
TickClock::duration given_up_by_every_timer() {
  TickClock::duration total{};
  for (const Timer* timer : program().timers()) total += timer->impl().pacer.given_up();
  return total;
}
}  // namespace

Timer::Impl::Impl(Timer& owner_timer, std::string timer_name)
    : owner(owner_timer),
      name(std::move(timer_name)),
      alarm(make_alarm(*this)),
      pacer(*alarm, &TickClock::now) {}

void Timer::Impl::wake() {
  pacer.wake([this](TickClock::time_point moment) {
    if (program().ended() || !owner.on_tick) return;
    alarm->tick_begins(moment, given_up_by_every_timer());
    struct Tick {
      Tick() { in_a_tick = true; }
      ~Tick() { in_a_tick = false; }
    } tick;
    owner.on_tick();
    alarm->tick_ends();
  });
}

void refuse_to_wait_in_a_tick() {
  if (in_a_tick) throw std::logic_error("a timer's handler waited for a window or a message");
}

Timer* timer_catching_up() {
  const auto& timers = program().timers();
  const auto found = std::find_if(timers.begin(), timers.end(), [](const Timer* timer) {
    return timer->impl().pacer.catching_up();
  });
  return found == timers.end() ? nullptr : *found;
}

Timer::Timer(Window& /*window*/, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>(*this, std::move(name))) {
  impl_->pacer.set_interval(interval_ms);
  program().add(*this);
  if (running) start();
}

Timer::~Timer() {
  program().remove(*this);
  impl_->pacer.stop();
}

void Timer::set_interval(int interval_ms) {
  impl_->pacer.set_interval(interval_ms);
}
int Timer::interval() const {
  return impl_->pacer.interval();
}
void Timer::start() {
  if (program().ended()) return;
  impl_->pacer.start();
}
void Timer::stop() {
  impl_->pacer.stop();
}
bool Timer::running() const {
  return impl_->pacer.running();
}
const std::string& Timer::name() const {
  return impl_->name;
}

}  // namespace lv::ui
