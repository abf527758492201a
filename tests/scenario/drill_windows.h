// The drill's two windows as a user finds them, for the stories and each backend's own tests:
// looked at where the program runs.
#pragma once

#include "exercise/frm_werk.h"
#include "platform/program.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "tests/scenario/user.h"

namespace lv::user {

inline frm_hoofd& hoofd() {
  return forms::hoofd();
}
inline frm_werk& werk() {
  return forms::werk();
}
inline bool ended() {
  return ui::program().ended();
}

// The settings window, ready: shown alone, the focus in "Geef start interval".
inline bool settings_ready() {
  return hoofd().window.visible() && !werk().window.visible() && !ended() &&
         focused() == &hoofd().txt_start;
}

// The exercise window, ready: shown alone, the focus on "Einde".
inline bool exercise_ready() {
  return werk().window.visible() && !hoofd().window.visible() && !ended() &&
         focused() == &werk().cmd_exit;
}

}  // namespace lv::user
