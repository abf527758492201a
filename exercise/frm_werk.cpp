#include "exercise/frm_werk.h"

#include "exercise/syllable.h"
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
  // Closing the window is taken as the end of the drill, as "&Einde" is: the settings window is
  // never shown again, so nothing would be left on screen.
  window.on_close = [this] { cmd_exit_Click(); };
  Form_Load();
}

void frm_werk::Form_Load() {
  txt_string.set_text(draw_syllable(Module1, random_, ui::clock_value));
}

void frm_werk::cmd_exit_Click() {
  ui::end_program();
}

}  // namespace lv
