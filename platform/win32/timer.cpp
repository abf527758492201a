#include <algorithm>

#include "platform/win32/program.h"
#include "platform/win32/ticks.h"

namespace lv::ui {

Timer::Timer(Window& /*window*/, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->name = std::move(name);
  impl_->waitable = win32::make_waitable_timer();
  impl_->pacer.set_interval(interval_ms);
  win32::program().timers.push_back(impl_.get());
  if (running) start();
}

Timer::~Timer() {
  auto& timers = win32::program().timers;
  timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
  impl_->pacer.stop();
  CloseHandle(impl_->waitable);
}

void Timer::set_interval(int interval_ms) {
  impl_->pacer.set_interval(interval_ms);
}

int Timer::interval() const {
  return impl_->pacer.interval();
}

void Timer::start() {
  if (win32::program().ended) return;
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
