// Ticks of the Qt build's timers on a real event loop: never before their deadlines, none lost
// when a handler holds the thread past several of them, and on schedule again afterwards.
#include <QtTest>
#include <chrono>
#include <thread>

#include "platform/qt/qt_widgets.h"

namespace {

using Clock = lv::ui::TickClock;
using std::chrono::milliseconds;

struct Counts {
  int ticks = 0;
  int early = 0;
  bool caught_up = false;
};

// A 10 ms timer whose handler runs `during_tick` at every tick, until 300 ticks have come and
// every deadline passed is accounted for, or a minute has gone by.
Counts run_timer(const std::function<void(int tick)>& during_tick) {
  lv::ui::Window window{"test", "Proefvenster", {0, 0, 3000, 1500}, lv::ui::Background::standard};
  lv::ui::Timer timer{window, "pacing", 10, false};
  Counts counts;
  const auto before_start = Clock::now();
  const auto give_up = before_start + std::chrono::minutes(1);
  timer.on_tick = [&] {
    const auto now = Clock::now();
    ++counts.ticks;
    const auto due = timer.impl().pacer.schedule().next_deadline() - milliseconds(10);
    if (now < due || now < before_start + milliseconds(10) * counts.ticks) ++counts.early;
    during_tick(counts.ticks);
    const std::int64_t passed = (Clock::now() - before_start) / milliseconds(10);
    const std::int64_t accounted = counts.ticks + timer.impl().pacer.schedule().dropped();
    counts.caught_up = accounted + 2 >= passed;
    if ((counts.ticks >= 300 && counts.caught_up) || Clock::now() > give_up) window.hide();
  };
  timer.start();
  window.show_modal();
  return counts;
}

class QtTimerTest : public QObject {
  Q_OBJECT

 private slots:
  static void ticksNeverComeBeforeTheirDeadlines() {
    const Counts counts = run_timer([](int) {});
    QCOMPARE(counts.early, 0);
    QVERIFY(counts.caught_up);
  }

  static void ticksABusyHandlerHeldBackAreDeliveredThenTheTimerIsBackInStep() {
    // Five deadlines go by in the first tick, and again in the hundredth.
    const Counts counts = run_timer([](int tick) {
      if (tick == 1 || tick == 100) std::this_thread::sleep_for(milliseconds(50));
    });
    QCOMPARE(counts.early, 0);
    QVERIFY(counts.caught_up);
    QVERIFY(counts.ticks >= 300);
  }
};

}  // namespace

int main(int argc, char** argv) {
  lv::ui::Toolkit toolkit(argc, argv);
  QtTimerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_timer_test.moc"
