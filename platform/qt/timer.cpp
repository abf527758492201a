#include <QMetaObject>
#include <chrono>

#include "platform/qt/qt_widgets.h"

namespace lv::ui {

TickClock::time_point TickClock::now() noexcept {
  // The clock Qt's own timers run on.
  return time_point(
      std::chrono::duration_cast<duration>(std::chrono::steady_clock::now().time_since_epoch()));
}

std::unique_ptr<Alarm> make_alarm(Timer::Impl& timer) {
  return std::make_unique<qt::QtAlarm>(timer);
}

}  // namespace lv::ui

namespace lv::qt {

QtAlarm::QtAlarm(ui::Timer::Impl& timer) : owner_(timer) {
  // A coarse timer may come up to 5% late; the schedule needs each deadline to the millisecond.
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { rang(); });
}

void QtAlarm::ring(ui::TickClock::duration first, std::chrono::milliseconds every) {
  period_ = every;
  // Rounded up to the millisecond Qt counts in, so that it never rings early.
  const auto first_ms = std::chrono::ceil<std::chrono::milliseconds>(first);
  putting_in_step_ = first_ms != period_;
  timer_.setSingleShot(putting_in_step_);
  timer_.start(putting_in_step_ ? first_ms : period_);
}

void QtAlarm::silence() {
  putting_in_step_ = false;
  timer_.stop();
}

void QtAlarm::rang() {
  if (putting_in_step_) {
    putting_in_step_ = false;
    timer_.setSingleShot(false);
    timer_.start(period_);
  }
  wake();
}

void QtAlarm::wake() {
  owner_.wake();
  // The queued call goes with the QTimer, should the timer be deleted before the next pass.
  if (owner_.pacer.catching_up() && !wake_posted_) {
    wake_posted_ = true;
    QMetaObject::invokeMethod(
        &timer_,
        [this] {
          wake_posted_ = false;
          wake();
        },
        Qt::QueuedConnection);
  }
}

}  // namespace lv::qt
