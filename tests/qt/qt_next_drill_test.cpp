// The Linux build in the classroom, offscreen: a held key ends nothing, closing the exercise window
// brings the settings back for a fresh drill, the fields are named and hold a long paste whole.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QtTest>
#include <functional>

#include "exercise/frm_werk.h"
#include "platform/qt/qt_backend.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "startup/module1.h"
#include "tests/qt/qt_poll.h"

namespace {

using lv::qt::widget;

QLineEdit* line_edit(const lv::ui::EditField& field) {
  return static_cast<QLineEdit*>(widget(field));
}

QPushButton* button(const lv::ui::Button& control) {
  return static_cast<QPushButton*>(widget(control));
}

// Runs `user` once the next modal showing is waiting and its window has become active.
void when_shown(std::function<void()> user) {
  QTimer::singleShot(0, [user = std::move(user)] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window || !QTest::qWaitForWindowActive(window)) qWarning("no active modal window");
    user();
  });
}

// Enter, unmarked as a repeat, at a moment of the window system's clock.
void send_key(QWindow* window, QEvent::Type type, quint64 moment) {
  QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier);
  key.setTimestamp(moment);
  QCoreApplication::sendEvent(window, &key);
}

using lv::test::Poll;

}  // namespace

class QtNextDrillTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { lv::forms::unload_all(); }

  void edit_fields_are_named_after_their_labels() {
    const lv::frm_hoofd& hoofd = lv::forms::hoofd();
    QAccessibleInterface* start = QAccessible::queryAccessibleInterface(widget(hoofd.txt_start));
    QAccessibleInterface* speed = QAccessible::queryAccessibleInterface(widget(hoofd.txt_speed));
    QVERIFY(start && speed);
    QCOMPARE(start->text(QAccessible::Name), QString("Geef start interval"));
    QCOMPARE(speed->text(QAccessible::Name), QString("Geef versnelling"));
  }

  void a_long_paste_is_read_whole() {
    const QString pasted = QString(32'765, ' ') + "2000";
    int length = 0;
    when_shown([&] {
      QLineEdit* field = line_edit(lv::forms::hoofd().txt_start);
      QGuiApplication::clipboard()->setText(pasted);
      field->selectAll();
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      length = static_cast<int>(field->text().size());
      when_shown([] { widget(lv::forms::werk().window)->hide(); });
      QTest::mouseClick(button(lv::forms::hoofd().cmd_start), Qt::LeftButton);
    });
    lv::Main();
    QCOMPARE(length, static_cast<int>(pasted.size()));
    QCOMPARE(lv::Module1.start_interval, 2000);
  }

  void closing_the_exercise_window_brings_back_the_settings_for_a_fresh_drill() {
    constexpr int kDrills = 3;
    lv::frm_hoofd& hoofd = lv::forms::hoofd();
    lv::frm_werk& werk = lv::forms::werk();
    int started = 0;
    bool checked_this_drill = false;
    QList<int> drill_loop_levels;
    // Two users, as the settings user's "&Start" waits for the exercise window to go.
    Poll settings_user([&] {
      if (!hoofd.window.visible() || werk.window.visible()) return;
      if (started > 0) {
        QCOMPARE(line_edit(hoofd.txt_start)->text(), QString("200"));
        QVERIFY(!werk.Timer1.running());
        QVERIFY(!werk.Timer2.running());
      }
      if (started == kDrills) {
        widget(hoofd.window)->close();
        return;
      }
      if (started == 0) line_edit(hoofd.txt_start)->setText("200");
      ++started;
      checked_this_drill = false;
      QTest::mouseClick(button(hoofd.cmd_start), Qt::LeftButton);
    });
    Poll exercise_user([&] {
      if (!werk.window.visible()) return;
      if (!checked_this_drill) {
        checked_this_drill = true;
        drill_loop_levels << QThread::currentThread()->loopLevel();
        // Fresh, whatever the drill before had come to; a series lasts 2.1 s here.
        QCOMPARE(lv::Module1.series_count, 0);
        QVERIFY(!werk.Picture1.visible());
        QVERIFY(!werk.Timer2.running());
        QVERIFY(werk.Timer1.running());
        QCOMPARE(widget(werk.window)->focusWidget(), widget(werk.cmd_exit));
      }
      // Closed in the rest after the first series, when everything has moved on.
      if (werk.Picture1.visible()) widget(werk.window)->close();
    });
    lv::Main();
    QCOMPARE(started, kDrills);
    QVERIFY(!lv::qt::program_ended());
    // Each drill waits as deep as the first: showing the settings again nested nothing.
    QCOMPARE(drill_loop_levels.size(), kDrills);
    QCOMPARE(drill_loop_levels.back(), drill_loop_levels.front());
  }

  // Last: once the program has ended, no event loop runs again in this process.
  void enter_held_on_start_ends_nothing() {
    bool still_running = false;
    when_shown([&] {
      lv::frm_hoofd& hoofd = lv::forms::hoofd();
      widget(hoofd.cmd_start)->setFocus(Qt::TabFocusReason);
      when_shown([&] {
        QWindow* exercise = widget(lv::forms::werk().window)->windowHandle();
        // The keyboard repeats the held key, and Qt under X marks only some repeats as such:
        // presses without a release, and releases each followed by a press at the same moment.
        for (int i = 0; i < 3; ++i) QTest::keyPress(exercise, Qt::Key_Return);
        for (quint64 moment = 1'000'000; moment < 1'000'003; ++moment) {
          send_key(exercise, QEvent::KeyRelease, moment);
          send_key(exercise, QEvent::KeyPress, moment);
        }
        send_key(exercise, QEvent::KeyRelease, 1'000'010);
        still_running = lv::forms::werk().window.visible() && !lv::qt::program_ended();
        // A press of its own, a moment after the release, still ends it. (QTest gives all its
        // keys one moment, so this one is sent with a clock of its own.)
        send_key(exercise, QEvent::KeyPress, 1'000'200);
      });
      QTest::keyPress(widget(hoofd.window)->windowHandle(), Qt::Key_Return);
    });
    lv::Main();
    QVERIFY(still_running);
    QVERIFY(lv::qt::program_ended());
  }
};

int main(int argc, char** argv) {
  lv::ui::Toolkit toolkit(argc, argv);
  QtNextDrillTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_next_drill_test.moc"
