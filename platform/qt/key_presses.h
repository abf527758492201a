// Keys act in the window they were pressed in.
#pragma once

#include <QApplication>

namespace lv::qt {

// From now on, a key held down from one window into another does nothing there, and the repeats
// of a held Enter or Space press no button: Qt under X marks only some repeats as such.
void keep_keys_where_pressed(QApplication& application);

}  // namespace lv::qt
