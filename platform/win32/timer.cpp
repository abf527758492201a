#include <algorithm>

#include "platform/win32/program.h"
#include "platform/win32/ticks.h"

namespace lv::ui {

Timer::Timer(Window& /*window*/, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->name = std::move(name);
  impl_->interval_ms = interval_ms;
  impl_->waitable = win32::make_waitable_timer();
  win32::program().timers.push_back(impl_.get());
  if (running) start();
}

Timer::~Timer() {
  auto& timers = win32::program().timers;
  timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
  win32::stop_ticks(*impl_);
  CloseHandle(impl_->waitable);
}

void Timer::set_interval(int interval_ms) {
  impl_->interval_ms = interval_ms;
  if (impl_->running) win32::start_ticks(*impl_);  // a new interval starts a new schedule
}

int Timer::interval() const {
  return impl_->interval_ms;
}

void Timer::start() {
  if (win32::program().ended) return;
  impl_->running = true;
  win32::start_ticks(*impl_);
}

void Timer::stop() {
  win32::stop_ticks(*impl_);
}
bool Timer::running() const {
  return impl_->running;
}
const std::string& Timer::name() const {
  return impl_->name;
}

}  // namespace lv::ui
