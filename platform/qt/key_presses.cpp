#include "platform/qt/key_presses.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QWindow>
#include <map>

namespace lv::qt {

namespace {

// Looks at every key as it reaches a top-level window, before any widget of that window sees
// it, and remembers in which window each key that is down went down. A press of a key that is
// already down is a repeat, whether or not Qt says so.
class KeyPresses : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !receiver->isWindowType()) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    auto* window = static_cast<QWindow*>(receiver);
    const auto down = down_in_.find(key->key());
    const bool held = down != down_in_.end();
    const bool elsewhere = !held || down->second != window;
    if (press) {
      if (!held && !key->isAutoRepeat()) {
        down_in_[key->key()] = window;
        return false;
      }
      return elsewhere || presses_button(*key);
    }
    if (key->isAutoRepeat()) return elsewhere;  // the release half of a repeat
    if (held) down_in_.erase(down);
    return elsewhere;
  }

 private:
  static bool presses_button(const QKeyEvent& key) {
    const bool enter_or_space =
        key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space;
    return enter_or_space && qobject_cast<QAbstractButton*>(QApplication::focusWidget());
  }

  std::map<int, QPointer<QWindow>> down_in_;
};

}  // namespace

void keep_keys_where_pressed(QApplication& application) {
  application.installEventFilter(new KeyPresses(&application));
}

}  // namespace lv::qt
