// Program entry. The program takes no command line; the arguments go to the toolkit only.
#include "platform/controls.h"
#include "startup/forms.h"
#include "startup/main_routine.h"

int main(int argc, char** argv) {
  lv::ui::Toolkit toolkit(argc, argv);
  lv::Main();
  // Main has returned: the run is over once its windows are gone.
  lv::forms::unload_all();
  return 0;
}
