// Keeping the screen on, through the desktop's screen saver service on the session bus.
#pragma once

namespace lv::qt {

// Asks the screen saver to stay away until release(); both may be called any number of times.
// Where no session bus or no such service is there, the screen is left as it is, silently.
void hold_screen_on();
void release_screen();

}  // namespace lv::qt
