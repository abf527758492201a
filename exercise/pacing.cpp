// The rhythm of the drill: steps every half interval, series of ten syllables, rests between
// series, a speed-up after every third series, and the pace buttons.
#include <string>

#include "exercise/frm_werk.h"
#include "exercise/interval_arithmetic.h"
#include "startup/module1.h"

namespace lv {

namespace {

constexpr std::int16_t kSeriesEnd = 21;  // the 21st step ends a series; steps 1 to 20 alternate
constexpr std::int16_t kSeriesPerSpeedUp = 3;
constexpr int kShortRest = 3500;
constexpr int kLongRest = 5500;
constexpr std::int32_t kPaceButtonStep = 100;

}  // namespace

void frm_werk::Timer1_Timer() {
  // Nominal milliseconds, not measured time: late or merged ticks are the backend's to avoid.
  Module1.elapsed += Timer1.interval();
  if (Module1.elapsed > Module1.start_interval / 2.0) {
    Module1.elapsed = 1;
    next_step();
  }
}

void frm_werk::next_step() {
  Label1.set_text(std::to_string(Module1.start_interval));
  Label3.set_text(std::to_string(Module1.series_count + 1));
  ++Module1.step_count;
  if (Module1.step_count == kSeriesEnd) {
    ++Module1.series_count;
    Timer2.set_interval(kShortRest);
    if (Module1.series_count == kSeriesPerSpeedUp) {
      Timer2.set_interval(kLongRest);
      Module1.series_count = 0;
      Module1.start_interval = sped_up(Module1.start_interval, Module1.speed_step);
    }
    Timer2.start();
    Picture1.set_visible(true);
    Timer1.stop();
    Module1.step_count = 0;
    txt_string.set_visible(false);
  } else {
    txt_string.set_visible(!txt_string.visible());
  }
  Form_Load();
}

void frm_werk::Timer2_Timer() {
  Timer2.stop();
  Picture1.set_visible(false);
  Timer1.start();
  txt_string.set_visible(false);
  Form_Load();
}

void frm_werk::Command1_Click() {
  Module1.speed_step = kPaceButtonStep;
  Module1.start_interval = moved_or_unchanged(Module1.start_interval, -kPaceButtonStep);
}

void frm_werk::Command2_Click() {
  Module1.speed_step = kPaceButtonStep;
  Module1.start_interval = moved_or_unchanged(Module1.start_interval, kPaceButtonStep);
}

}  // namespace lv
