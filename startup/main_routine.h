#pragma once

namespace lv {

// Where the program's own logic begins: sets up the exercise state and shows the settings
// window, waiting until it is no longer shown.
void Main();

}  // namespace lv
