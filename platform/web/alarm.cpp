// The pacer's alarm in the page: a browser timer that keeps its phase, on the page's clock.
#include <emscripten.h>

#include <chrono>

#include "platform/paced_timer.h"
#include "platform/web/web_backend.h"

namespace lv::ui {

namespace {

double on_the_page_clock(TickClock::time_point moment) {
  return std::chrono::duration<double, std::milli>(moment.time_since_epoch()).count();
}

class PageAlarm final : public Alarm {
 public:
  PageAlarm() : id_(++last_id_) {}
  ~PageAlarm() override { lv_alarm_silence(id_); }
  PageAlarm(const PageAlarm&) = delete;
  PageAlarm& operator=(const PageAlarm&) = delete;

  void ring(TickClock::duration first, std::chrono::milliseconds period) override {
    lv_alarm_ring(id_, std::chrono::duration<double, std::milli>(first).count(),
                  static_cast<double>(period.count()));
  }
  void silence() override { lv_alarm_silence(id_); }
  // The page shows what the tick changes on the frame its moment gives.
  void tick_begins(TickClock::time_point moment, TickClock::duration given_up) override {
    lv_tick_moment(on_the_page_clock(moment),
                   std::chrono::duration<double, std::milli>(given_up).count());
  }
  void tick_ends() override { lv_tick_moment(-1, 0); }
  int id() const { return id_; }

 private:
  static inline int last_id_ = 0;
  int id_;
};

}  // namespace

// performance.now(), which the page's timers run on too.
TickClock::time_point TickClock::now() noexcept {
  const std::chrono::duration<double, std::milli> since_load(emscripten_get_now());
  return time_point(std::chrono::duration_cast<duration>(since_load));
}

std::unique_ptr<Alarm> make_alarm(Timer::Impl& /*timer*/) {
  return std::make_unique<PageAlarm>();
}

}  // namespace lv::ui

namespace lv::web {

void alarm_rang(int alarm) {
  for (ui::Timer* timer : ui::program().timers()) {
    if (static_cast<const ui::PageAlarm&>(*timer->impl().alarm).id() == alarm) {
      timer->impl().wake();
      return;
    }
  }
}

}  // namespace lv::web
