#include "settings/frm_hoofd.h"

#include <string>

#include "exercise/frm_werk.h"
#include "settings/number_field.h"
#include "startup/forms.h"
#include "startup/module1.h"

namespace lv {

frm_hoofd::frm_hoofd() {
  cmd_start.on_click = [this] { cmd_start_Click(); };
  cmd_exit.on_click = [this] { cmd_exit_Click(); };
  Form_Load();
}

void frm_hoofd::Form_Load() {
  txt_speed.set_text(std::to_string(Module1.speed_step));
  txt_start.set_text(std::to_string(Module1.start_interval));
}

void frm_hoofd::cmd_start_Click() {
  // Both values are read before either is stored, so a typo in one changes nothing.
  const auto start = read_number_field(txt_start, Label1.text());
  if (!start) return;
  const auto speed = read_number_field(txt_speed, Label2.text());
  if (!speed) return;
  Module1.start_interval = *start;
  Module1.speed_step = *speed;
  window.hide();
  frm_werk& werk = forms::werk();
  werk.begin_drill();
  werk.window.show_modal();
}

void frm_hoofd::cmd_exit_Click() {
  ui::end_program();
}

}  // namespace lv
