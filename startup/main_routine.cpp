#include "startup/main_routine.h"

#include "platform/controls.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/module1.h"

namespace lv {

void Main() {
  reset_exercise_state(Module1);
  forms::hoofd().window.show_modal();
}

}  // namespace lv
