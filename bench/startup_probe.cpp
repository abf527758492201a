// The real program up to its settings window, then the report and the end. The report comes
// from a timer's first tick, so the window is shown and its event loop running.
#include "bench/shown_report.h"
#include "platform/controls.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "startup/module1.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* report = argv[1];
  lv::ui::Toolkit toolkit(argc, argv);
  lv::reset_exercise_state(lv::Module1);
  lv::ui::Timer shown(lv::forms::hoofd().window, "shown", 1, true);
  shown.on_tick = [&] {
    shown.stop();
    lv::bench::report_shown(report);
    lv::ui::end_program();
  };
  lv::Main();
  lv::forms::unload_all();
  return 0;
}
