// A program on the headless backend that returns from main with both windows and their timers
// still alive, as any test program may: static destruction must not reach a destroyed desktop.
// Under the sanitizers a use after free fails this test; it passes when the process exits 0.
#include "exercise/frm_werk.h"
#include "platform/headless/headless.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"

int main() {
  lv::Main();
  lv::headless::click(lv::forms::hoofd().cmd_start);
  lv::headless::advance(3000);  // into the drill, with Timer1 running
  return lv::forms::werk().window.visible() ? 0 : 1;
}
