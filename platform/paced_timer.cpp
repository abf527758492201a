#include "platform/paced_timer.h"

#include <algorithm>

namespace lv::ui {

Timer::Impl::Impl(Timer& owner_timer, std::string timer_name)
    : owner(owner_timer),
      name(std::move(timer_name)),
      alarm(make_alarm(*this)),
      pacer(*alarm, &TickClock::now) {}

void Timer::Impl::wake() {
  pacer.wake([this] {
    if (!program_ended() && owner.on_tick) owner.on_tick();
  });
}

Timer::Timer(Window& /*window*/, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>(*this, std::move(name))) {
  impl_->pacer.set_interval(interval_ms);
  program_timers().push_back(impl_.get());
  if (running) start();
}

Timer::~Timer() {
  auto& timers = program_timers();
  timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
  impl_->pacer.stop();
}

void Timer::set_interval(int interval_ms) {
  impl_->pacer.set_interval(interval_ms);
}
int Timer::interval() const {
  return impl_->pacer.interval();
}
void Timer::start() {
  if (program_ended()) return;
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
