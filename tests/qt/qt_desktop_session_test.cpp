// The Linux build in a desktop session, on a private session bus with a Dutch locale: Qt's own
// texts are Dutch, and the screen saver is held off exactly while the exercise window is shown.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <memory>

#include "exercise/frm_werk.h"
#include "platform/program.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "tests/scenario/user.h"

// Stands in for the desktop's screen saver and remembers who holds it off.
class ScreenSaverStandIn : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public:
  QSet<uint> held;
  int inhibits = 0;

 public slots:
  Q_SCRIPTABLE uint Inhibit(const QString&, const QString&) {
    ++inhibits;
    held.insert(++last_cookie_);
    return last_cookie_;
  }
  Q_SCRIPTABLE void UnInhibit(uint cookie) { held.remove(cookie); }

 private:
  uint last_cookie_ = 0;
};

namespace lv {
namespace {

bool exercise_shown() {
  return forms::werk().window.visible();
}
bool settings_back() {
  return forms::hoofd().window.visible() && !forms::werk().window.visible();
}

TEST(DesktopSession, QtsStandardTextsAreDutch) {
  QLineEdit field;
  field.setText("2000");
  const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text().remove('&');
  }
  const QString all = texts.join(", ");
  EXPECT_TRUE(all.contains("Ongedaan maken") && all.contains("Plakken")) << all.toStdString();
  EXPECT_FALSE(all.contains("Undo") || all.contains("Paste")) << all.toStdString();
}

TEST(DesktopSession, WithoutAScreenSaverTheDrillRunsAsEver) {
  ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run in dbus-run-session";
  ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(
      "org.freedesktop.ScreenSaver"));
  user::run_program([] {
    user::press_alt('s');
    EXPECT_TRUE(
        user::wait_until([] { return exercise_shown() && forms::werk().Timer1.running(); }));
  });
}

TEST(DesktopSession, TheScreenSaverIsHeldOffExactlyWhileTheExerciseWindowIsShown) {
  ScreenSaverStandIn screen_saver;
  // A connection of its own, so that the calls travel through the bus as another program's do.
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "stand-in");
  ASSERT_TRUE(bus.registerObject("/org/freedesktop/ScreenSaver", &screen_saver,
                                 QDBusConnection::ExportScriptableSlots));
  ASSERT_TRUE(bus.registerService("org.freedesktop.ScreenSaver"));
  const auto held = [&](int n) {
    return [&screen_saver, n] { return screen_saver.held.size() == n; };
  };
  user::run_program([&] {
    for (int drill = 1; drill <= 2; ++drill) {
      user::press_alt('s');
      ASSERT_TRUE(user::wait_until([&] { return exercise_shown() && held(1)(); })) << drill;
      if (drill == 1) {
        user::close(forms::werk().window);  // back to the settings
        ASSERT_TRUE(user::wait_until(settings_back));
        EXPECT_TRUE(user::wait_until(held(0)));
      } else {
        user::click(forms::werk().cmd_exit);
        ASSERT_TRUE(user::wait_until([] { return ui::program().ended(); }));
      }
    }
    EXPECT_TRUE(user::wait_until(held(0)));
    EXPECT_EQ(user::see([&] { return screen_saver.inhibits; }), 2);
  });
}

}  // namespace
}  // namespace lv

#include "qt_desktop_session_test.moc"
