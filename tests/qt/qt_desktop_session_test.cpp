// The Linux build in a desktop session, on a private session bus with a Dutch locale: Qt's own
// texts are Dutch, and the screen saver is held off exactly while the exercise window is shown.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QtTest>
#include <memory>

#include "exercise/frm_werk.h"
#include "platform/program.h"
#include "platform/qt/qt_backend.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "tests/qt/qt_poll.h"

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

namespace {

using lv::qt::widget;

using lv::test::Poll;

void click(const lv::ui::Button& button) {
  QTest::mouseClick(static_cast<QPushButton*>(widget(button)), Qt::LeftButton);
}

}  // namespace

class QtDesktopSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!QDBusConnection::sessionBus().isConnected())
      QSKIP("no session bus: run in dbus-run-session");
  }
  void cleanup() { lv::forms::unload_all(); }

  void qt_standard_texts_are_dutch() {
    QLineEdit field;
    field.setText("2000");
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator()) texts << action->text().remove('&');
    }
    const QString all = texts.join(", ");
    QVERIFY2(all.contains("Ongedaan maken") && all.contains("Plakken"), qPrintable(all));
    QVERIFY2(!all.contains("Undo") && !all.contains("Paste"), qPrintable(all));
  }

  void without_a_screen_saver_the_drill_runs_as_ever() {
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
        "org.freedesktop.ScreenSaver"));
    bool ran = false;
    // Two users: the first one's "&Start" waits until the exercise window has gone.
    Poll settings_user([&] {
      if (!lv::forms::hoofd().window.visible()) return;
      if (ran) {
        widget(lv::forms::hoofd().window)->close();
      } else {
        click(lv::forms::hoofd().cmd_start);
      }
    });
    Poll exercise_user([&] {
      if (!lv::forms::werk().window.visible() || !lv::forms::werk().Timer1.running()) return;
      ran = true;
      widget(lv::forms::werk().window)->close();
    });
    lv::Main();
    QVERIFY(ran);
  }

  // Last: "&Einde" ends the program, and no event loop runs again in this process.
  void the_screen_saver_is_held_off_exactly_while_the_exercise_window_is_shown() {
    ScreenSaverStandIn screen_saver;
    // A connection of its own, so that the calls travel through the bus as another program's do.
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "stand-in");
    QVERIFY(bus.registerObject("/org/freedesktop/ScreenSaver", &screen_saver,
                               QDBusConnection::ExportScriptableSlots));
    QVERIFY(bus.registerService("org.freedesktop.ScreenSaver"));

    int drills = 0;
    int held_while_shown = 0;
    int released_while_settings_shown = 0;
    Poll settings_user([&] {
      if (!lv::forms::hoofd().window.visible() || lv::forms::werk().window.visible()) return;
      if (!screen_saver.held.isEmpty()) return;  // still on its way
      if (drills > 0) ++released_while_settings_shown;
      ++drills;
      click(lv::forms::hoofd().cmd_start);
    });
    Poll exercise_user([&] {
      if (!lv::forms::werk().window.visible() || screen_saver.held.size() != 1) return;
      ++held_while_shown;
      if (drills == 1) {
        widget(lv::forms::werk().window)->close();  // back to the settings
      } else {
        click(lv::forms::werk().cmd_exit);
      }
    });
    lv::Main();
    QVERIFY(lv::ui::program().ended());
    QCOMPARE(drills, 2);
    QCOMPARE(held_while_shown, 2);
    QCOMPARE(released_while_settings_shown, 1);
    QTRY_VERIFY(screen_saver.held.isEmpty());
    QCOMPARE(screen_saver.inhibits, 2);
  }
};

int main(int argc, char** argv) {
  lv::ui::Toolkit toolkit(argc, argv);
  QtDesktopSessionTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_desktop_session_test.moc"
