#include "platform/qt/key_presses.h"

#include <QKeyEvent>
#include <QWindow>
#include <map>
#include <set>

#include "platform/program.h"
#include "platform/qt/qt_backend.h"

namespace lv::qt {

namespace {

ui::KeyName name_of(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ui::KeyName::enter;
    case Qt::Key_Space:
      return ui::KeyName::space;
    case Qt::Key_Escape:
      return ui::KeyName::escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return ui::KeyName::tab;
    default:
      break;
  }
  return key >= Qt::Key_A && key <= Qt::Key_Z ? ui::KeyName::letter : ui::KeyName::other;
}

ui::Window* program_window(const QWindow* window) {
  for (ui::Window* w : ui::program().windows()) {
    if (widget(*w)->windowHandle() == window) return w;
  }
  return nullptr;
}

ui::Control* focused_in(const ui::Window& window) {
  const QWidget* focus = widget(window)->focusWidget();
  for (ui::Control* control : ui::program().controls(window)) {
    if (widget(*control) == focus) return control;
  }
  return nullptr;
}

// Looks at every key as it reaches a top-level window, before any widget of that window sees it.
// Qt under X marks only some repeats as such: a press of a key that is down already repeats it,
// and so does a press at the very moment of its key's release, as X repeats a held key by a
// release and a press with one time stamp.
class KeyPresses : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !receiver->isWindowType()) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const auto* window = static_cast<const QWindow*>(receiver);
    const auto released = released_at_.find(key->key());
    const bool repeat =
        key->isAutoRepeat() ||
        (press && (down_.count(key->key()) > 0 ||
                   (released != released_at_.end() && released->second == key->timestamp())));
    if (press) {
      down_.insert(key->key());
    } else if (!key->isAutoRepeat()) {
      down_.erase(key->key());
      released_at_[key->key()] = key->timestamp();
    }
    using Motion = ui::KeyStroke::Motion;
    const Motion motion = repeat ? Motion::repeat : press ? Motion::down : Motion::up;
    const ui::KeyName name = name_of(key->key());
    const char letter =
        name == ui::KeyName::letter ? static_cast<char>('a' + (key->key() - Qt::Key_A)) : '\0';
    ui::Window* in = program_window(window);
    const bool toolkit = ui::program().key(
        {motion, key->key(), name, letter, (key->modifiers() & Qt::AltModifier) != 0,
         reinterpret_cast<std::uintptr_t>(window)},
        in, in ? focused_in(*in) : nullptr);
    return !toolkit;
  }

 private:
  std::set<int> down_;                  // the keys that are down
  std::map<int, quint64> released_at_;  // when each key last came up
};

}  // namespace

void keep_keys_to_the_rules(QApplication& application) {
  application.installEventFilter(new KeyPresses(&application));
}

}  // namespace lv::qt
