// The keyboard, as the program's key rules have it.
#pragma once

#include <QApplication>

namespace lv::qt {

// From now on every key that reaches a window of the application goes by the program's key rules
// (platform/key_rules.h) before any widget sees it: they press the buttons, and a key held on
// from another window, or a repeat that presses, never reaches a widget.
void keep_keys_to_the_rules(QApplication& application);

}  // namespace lv::qt
