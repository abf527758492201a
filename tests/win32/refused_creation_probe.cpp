// The program with its n-th creation of a window, control, font, picture or timer refused, as if
// the system had none left to give:  refused_creation_probe N
#include <cstdlib>

#include "platform/controls.h"
#include "platform/win32/creation.h"
#include "startup/forms.h"
#include "startup/main_routine.h"

int main(int argc, char** argv) {
  lv::win32::refuse_creation(argc > 1 ? std::atoi(argv[1]) : 0);
  lv::ui::Toolkit toolkit(argc, argv);
  lv::Main();
  lv::forms::unload_all();
  return 0;
}
