#include <algorithm>
#include <chrono>

#include "platform/qt/qt_widgets.h"

namespace lv::ui {

namespace {

// Arms the single-shot timer for the next deadline of the schedule, rounded up to the
// millisecond Qt counts in, so that it never comes early.
void arm(Timer::Impl& impl) {
  const auto wait = impl.schedule.next_deadline() - TickSchedule::Clock::now();
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  impl.timer->start(static_cast<int>(std::max<decltype(ms)>(ms, 0)));
}

}  // namespace

Timer::Timer(Window&, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>()) {
  impl_->name = std::move(name);
  impl_->interval = interval_ms;
  impl_->timer = std::make_unique<QTimer>();
  // A coarse timer may come up to 5% late; the schedule needs each deadline to the millisecond.
  impl_->timer->setTimerType(Qt::PreciseTimer);
  impl_->timer->setSingleShot(true);
  QObject::connect(impl_->timer.get(), &QTimer::timeout, [this] {
    Impl& impl = *impl_;
    const std::uint64_t generation = impl.generation;
    if (impl.schedule.take_due(TickSchedule::Clock::now()) && on_tick) on_tick();
    if (impl.generation == generation) arm(impl);  // unless the handler stopped or restarted it
  });
  qt::registry().timers.push_back(impl_.get());
  if (running) start();
}

Timer::~Timer() {
  auto& timers = qt::registry().timers;
  timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
}

void Timer::set_interval(int interval_ms) {
  impl_->interval = interval_ms;
  if (impl_->running) start();  // as with any toolkit's timer, a new interval starts afresh
}

int Timer::interval() const {
  return impl_->interval;
}

void Timer::start() {
  if (qt::registry().ended) return;
  ++impl_->generation;
  impl_->running = true;
  impl_->schedule.start(TickSchedule::Clock::now(), std::chrono::milliseconds(impl_->interval));
  arm(*impl_);
}

void Timer::stop() {
  ++impl_->generation;
  impl_->running = false;
  impl_->timer->stop();
}

bool Timer::running() const {
  return impl_->running;
}
const std::string& Timer::name() const {
  return impl_->name;
}

}  // namespace lv::ui
