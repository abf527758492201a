#include "exercise/frm_werk.h"

#include "exercise/syllable.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/module1.h"

namespace lv {

frm_werk::frm_werk() {
  txt_string.set_font({"MS Sans Serif", 24, true});
  txt_string.set_alignment(ui::Align::centre);
  cmd_exit.on_click = [this] { cmd_exit_Click(); };
  Command1.on_click = [this] { Command1_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  Timer1.on_tick = [this] { Timer1_Timer(); };
  Timer2.on_tick = [this] { Timer2_Timer(); };
  window.on_close = [this] { Form_Close(); };
  window.keep_screen_on_while_shown();  // nobody touches the mouse during a drill
}

void frm_werk::begin_drill() {
  Module1.elapsed = 1;
  Module1.step_count = 0;
  Module1.series_count = 0;
  Label1.set_text("");
  Label3.set_text("");
  txt_string.set_visible(false);
  Picture1.set_visible(false);
  Timer2.stop();
  Form_Load();
  Timer1.start();
}

void frm_werk::Form_Load() {
  txt_string.set_text(draw_syllable(Module1, random_, ui::clock_value));
}

void frm_werk::cmd_exit_Click() {
  ui::end_program();
}

// Closing the window ends this drill only: the settings window comes back with the values typed
// there, so the next child can start at another pace without the program being started again.
void frm_werk::Form_Close() {
  Timer1.stop();
  Timer2.stop();
  window.hide();
  forms::hoofd().window.show_again();
}

}  // namespace lv
