#include <algorithm>

#include "platform/qt/qt_widgets.h"

namespace lv::ui {

Timer::Timer(Window& window, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>()) {
  impl_->name = std::move(name);
  impl_->timer = new QTimer(window.impl().widget.get());
  // A coarse timer may come up to 5% late; ticks must come every 10 ms, not 10.5.
  impl_->timer->setTimerType(Qt::PreciseTimer);
  impl_->timer->setInterval(interval_ms);
  QObject::connect(impl_->timer, &QTimer::timeout, [this] {
    if (on_tick) on_tick();
  });
  qt::registry().timers.push_back(impl_.get());
  if (running) start();
}

Timer::~Timer() {
  auto& timers = qt::registry().timers;
  timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
  delete impl_->timer;
}

void Timer::set_interval(int interval_ms) {
  impl_->timer->setInterval(interval_ms);
}
int Timer::interval() const {
  return impl_->timer->interval();
}
void Timer::start() {
  if (!qt::registry().ended) impl_->timer->start();
}
void Timer::stop() {
  impl_->timer->stop();
}
bool Timer::running() const {
  return impl_->timer->isActive();
}
const std::string& Timer::name() const {
  return impl_->name;
}

}  // namespace lv::ui
