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
// down already is a repeat, whether or not Qt says so; and as X repeats a held key by a release
// and a press with one time stamp, a press at the very moment of its key's release is one too.
class KeyPresses : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !receiver->isWindowType()) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    auto* window = static_cast<QWindow*>(receiver);
    const auto found = keys_.find(key->key());
    const bool known = found != keys_.end();
    const bool elsewhere = !known || found->second.window != window;
    if (press) {
      const bool repeat =
          key->isAutoRepeat() ||
          (known && (!found->second.released || found->second.released_at == key->timestamp()));
      if (!repeat) {
        keys_[key->key()] = {window, false, 0};
        return false;
      }
      if (known) found->second.released = false;
      return elsewhere || presses_button(*key);
    }
    if (!key->isAutoRepeat() && known) {
      found->second.released = true;
      found->second.released_at = key->timestamp();
    }
    return elsewhere;
  }

 private:
  struct Key {
    QPointer<QWindow> window;  // where it went down
    bool released;
    quint64 released_at;
  };

  static bool presses_button(const QKeyEvent& key) {
    const bool enter_or_space =
        key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space;
    return enter_or_space && qobject_cast<QAbstractButton*>(QApplication::focusWidget());
  }

  std::map<int, Key> keys_;
};

}  // namespace

void keep_keys_where_pressed(QApplication& application) {
  application.installEventFilter(new KeyPresses(&application));
}

}  // namespace lv::qt
