#include <QMetaObject>
#include <algorithm>
#include <chrono>

#include "platform/qt/qt_widgets.h"

namespace lv::ui {

TickClock::time_point TickClock::now() noexcept {
  // The clock Qt's own timers run on.
  return time_point(
      std::chrono::duration_cast<duration>(std::chrono::steady_clock::now().time_since_epoch()));
}

void Timer::Impl::ring(TickClock::duration first, std::chrono::milliseconds every) {
  period = every;
  // Rounded up to the millisecond Qt counts in, so that it never rings early.
  const auto first_ms = std::chrono::ceil<std::chrono::milliseconds>(first);
  putting_in_step = first_ms != period;
  timer->setSingleShot(putting_in_step);
  timer->start(putting_in_step ? first_ms : period);
}

void Timer::Impl::silence() {
  putting_in_step = false;
  timer->stop();
}

void Timer::Impl::rang() {
  if (putting_in_step) {
    putting_in_step = false;
    timer->setSingleShot(false);
    timer->start(period);
  }
  wake();
}

void Timer::Impl::wake() {
  pacer.wake([this] {
    if (owner->on_tick) owner->on_tick();
  });
  if (pacer.catching_up() && !wake_posted) {
    wake_posted = true;
    QMetaObject::invokeMethod(
        timer.get(),
        [this] {
          wake_posted = false;
          wake();
        },
        Qt::QueuedConnection);
  }
}

Timer::Timer(Window&, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->name = std::move(name);
  impl_->timer = std::make_unique<QTimer>();
  // A coarse timer may come up to 5% late; the schedule needs each deadline to the millisecond.
  impl_->timer->setTimerType(Qt::PreciseTimer);
  impl_->pacer.set_interval(interval_ms);
  QObject::connect(impl_->timer.get(), &QTimer::timeout, [impl = impl_.get()] { impl->rang(); });
  qt::registry().timers.push_back(impl_.get());
  if (running) start();
}

Timer::~Timer() {
  auto& timers = qt::registry().timers;
  timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
}

void Timer::set_interval(int interval_ms) {
  impl_->pacer.set_interval(interval_ms);
}

int Timer::interval() const {
  return impl_->pacer.interval();
}

void Timer::start() {
  if (qt::registry().ended) return;
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
