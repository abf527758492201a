#include <QEventLoop>
#include <QTimer>

#include "bench/bare_timer.h"

namespace lv::bench {

BareTimerRun run_bare_timer(long long ticks) {
  BareTimerRun run;
  run.ticks.reserve(static_cast<std::size_t>(ticks));
  QEventLoop loop;
  QTimer timer;  // default: Qt::CoarseTimer
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    run.ticks.push_back(std::chrono::steady_clock::now());
    if (static_cast<long long>(run.ticks.size()) == ticks) loop.quit();
  });
  run.started = std::chrono::steady_clock::now();
  timer.start();
  loop.exec();
  return run;
}

}  // namespace lv::bench
