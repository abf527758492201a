// What the program cannot run without: its windows, controls, fonts, picture and timers. Where the
// system refuses one, the user is told and the program ends with exit code 1; going on would
// leave nothing on screen, or a drill that never moves, while the program seemed to have started.
#pragma once

#include <string>

namespace lv::win32 {

// Shows why in a message box and ends the program with exit code 1.
[[noreturn]] void cannot_go_on(const std::string& why);

// Counts one creation; true when this one is to fail as if the system had refused it.
bool refused_for_test();

// Whether creating `what` ("het venster", in Dutch) gave something, ending the program if not.
template <typename Made>
Made made(Made result, const char* what) {
  if (!result || refused_for_test())
    cannot_go_on(std::string("Windows kon ") + what + " niet maken.");
  return result;
}

// For tests only: the n-th creation from now on fails (0: none does).
void refuse_creation(int n);

}  // namespace lv::win32
