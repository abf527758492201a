#include "platform/qt/screen_saver.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <optional>

namespace lv::qt {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

QDBusMessage screen_saver_call(const QString& method) {
  return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

// The calls go out without waiting for the answer: a slow or absent service must not hold up
// the window that is opening or closing.
class Inhibition {
 public:
  void hold() {
    wanted_ = true;
    if (cookie_ || asking_) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage inhibit = screen_saver_call(QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("Lettervonk") << QStringLiteral("Er loopt een oefening");
    asking_ = true;
    auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(inhibit));
    QObject::connect(answer, &QDBusPendingCallWatcher::finished, [this, answer] {
      answer->deleteLater();
      asking_ = false;
      const QDBusPendingReply<uint> reply = *answer;
      if (!reply.isValid()) return;  // no screen saver to ask
      cookie_ = reply.value();
      if (!wanted_) release();  // the window went while the service was answering
    });
  }

  void release() {
    wanted_ = false;
    if (!cookie_) return;
    QDBusMessage uninhibit = screen_saver_call(QStringLiteral("UnInhibit"));
    uninhibit << *cookie_;
    QDBusConnection::sessionBus().call(uninhibit, QDBus::NoBlock);
    cookie_.reset();
  }

 private:
  bool wanted_ = false;
  bool asking_ = false;
  std::optional<uint> cookie_;
};

Inhibition& inhibition() {
  static Inhibition the_inhibition;
  return the_inhibition;
}

}  // namespace

void hold_screen_on() {
  inhibition().hold();
}

void release_screen() {
  inhibition().release();
}

}  // namespace lv::qt
