// The Qt backend's side door for tests: the real widgets behind the control layer.
#pragma once

#include <QTimer>
#include <QWidget>

#include "platform/controls.h"

namespace lv::qt {

QWidget* widget(const ui::Window& window);
QWidget* widget(const ui::Control& control);
QTimer* timer(const ui::Timer& timer);

}  // namespace lv::qt
