// The drill's windows as Qt widgets, offscreen: what a user of the Linux build sees and types.
// Each test runs the real program from Main; the user's part is scheduled into the event loop
// that the modal showing runs, as a person would act while the window waits.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <functional>

#include "exercise/frm_werk.h"
#include "platform/qt/qt_backend.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "startup/module1.h"

namespace {

using lv::qt::widget;

QString focus_name() {
  return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target =
      QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Runs `user` once the next modal showing is waiting and its window has become active.
void when_shown(std::function<void()> user) {
  QTimer::singleShot(0, [user = std::move(user)] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window || !QTest::qWaitForWindowActive(window)) qWarning("no active modal window");
    user();
  });
}

void expect_place(const lv::ui::Control& control, QRect pixels) {
  QCOMPARE(widget(control)->geometry(), pixels);
}

// Runs `user` once `window` is the active window, from whichever event loop runs then; after a
// minute without, runs it anyway and leaves the failing to the test's checks.
void when_active(QWidget* window, std::function<void()> user) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [=, give_up = QDeadlineTimer(60'000)] {
    if (QApplication::activeWindow() != window && !give_up.hasExpired()) return;
    poll->stop();
    poll->deleteLater();
    user();
  });
  poll->start(20);
}

QImage look_at(const lv::ui::Control& button) {
  return widget(button)->grab().toImage();
}

// Whether `focused` shows a frame that `unfocused`, the same button without the focus, lacks:
// pixels differ in the band just inside the button's edge, on each of its four sides.
bool shows_focus_frame(const QImage& focused, const QImage& unfocused) {
  if (focused.size() != unfocused.size()) return false;
  constexpr int band = 4;
  const int w = focused.width();
  const int h = focused.height();
  const auto differs_in = [&](QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (focused.pixel(x, y) != unfocused.pixel(x, y)) return true;
      }
    }
    return false;
  };
  return differs_in({band, 0, w - 2 * band, band}) &&         // top
         differs_in({band, h - band, w - 2 * band, band}) &&  // bottom
         differs_in({0, band, band, h - 2 * band}) &&         // left
         differs_in({w - band, band, band, h - 2 * band});    // right
}

}  // namespace

class QtWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { lv::forms::unload_all(); }

  void settings_window_is_laid_out_in_pixels_at_96_dpi() {
    when_shown([] {
      check_settings_layout();
      widget(lv::forms::hoofd().window)->close();
    });
    lv::Main();
    QVERIFY(!lv::forms::hoofd().window.visible());  // closing ended the showing: Main returned
  }

  void settings_window_keyboard() {
    when_shown([] {
      check_settings_keyboard();
      widget(lv::forms::hoofd().window)->close();
    });
    lv::Main();
  }

  void bad_number_gets_a_message_and_a_second_chance() {
    QString message;
    when_shown([&message] {
      lv::frm_hoofd& hoofd = lv::forms::hoofd();
      static_cast<QLineEdit*>(widget(hoofd.txt_start))->setText("12a");
      answer_message_box(message);
      QTest::mouseClick(static_cast<QPushButton*>(widget(hoofd.cmd_start)), Qt::LeftButton);
      check_second_chance(message);
      // Corrected, "&Start" works.
      static_cast<QLineEdit*>(widget(hoofd.txt_start))->setText("40");
      when_shown([] { widget(lv::forms::werk().window)->hide(); });
      QTest::mouseClick(static_cast<QPushButton*>(widget(hoofd.cmd_start)), Qt::LeftButton);
    });
    lv::Main();
    QCOMPARE(lv::Module1.start_interval, 40);
  }

  void exercise_window_opens_laid_out_and_runs() {
    when_shown([] {
      lv::frm_hoofd& hoofd = lv::forms::hoofd();
      static_cast<QLineEdit*>(widget(hoofd.txt_start))->setText("200");
      when_shown([] {
        check_exercise_layout();
        check_exercise_runs();
        widget(lv::forms::werk().window)->hide();
      });
      QTest::mouseClick(static_cast<QPushButton*>(widget(hoofd.cmd_start)), Qt::LeftButton);
    });
    lv::Main();
    QVERIFY(!lv::forms::hoofd().window.visible());
  }

  // Space and Enter press the focused button, so it shows its focus however it got it: by a
  // click, kept while its window was away, or given as the window opens after Alt+S.
  void focused_button_shows_its_focus() {
    struct Seen {
      QString focus;
      bool frame = false;
    };
    Seen shown_again, opened, clicked;
    QImage start_unfocused;
    const lv::frm_hoofd& hoofd = lv::forms::hoofd();
    // The exercise window opened by Alt+S, with the focus on "Einde"; then a pace button clicked.
    const std::function<void()> opened_by_alt_s = [&] {
      const lv::frm_werk& werk = lv::forms::werk();
      const QImage exit_focused = look_at(werk.cmd_exit);
      const QImage pace_unfocused = look_at(werk.Command1);
      opened.focus = focus_name();
      QTest::mouseClick(static_cast<QPushButton*>(widget(werk.Command1)), Qt::LeftButton);
      opened.frame = shows_focus_frame(exit_focused, look_at(werk.cmd_exit));
      clicked = {focus_name(), shows_focus_frame(look_at(werk.Command1), pace_unfocused)};
      when_active(widget(hoofd.window), [&] { widget(hoofd.window)->close(); });
      widget(werk.window)->close();
    };
    // The settings window back after a drill started by a click on "Start".
    const std::function<void()> back = [&] {
      shown_again = {focus_name(), shows_focus_frame(look_at(hoofd.cmd_start), start_unfocused)};
      when_active(widget(lv::forms::werk().window), opened_by_alt_s);
      press(Qt::Key_S, Qt::AltModifier);
    };
    when_shown([&] {
      start_unfocused = look_at(hoofd.cmd_start);
      when_shown([&] {
        when_active(widget(hoofd.window), back);
        widget(lv::forms::werk().window)->close();
      });
      QTest::mouseClick(static_cast<QPushButton*>(widget(hoofd.cmd_start)), Qt::LeftButton);
    });
    lv::Main();
    QCOMPARE(shown_again.focus, QString("cmd_start"));
    QVERIFY2(shown_again.frame, "clicked, then shown again");
    QCOMPARE(opened.focus, QString("cmd_exit"));
    QVERIFY2(opened.frame, "opened by Alt+S");
    QCOMPARE(clicked.focus, QString("Command1"));
    QVERIFY2(clicked.frame, "clicked");
  }

  // Last: once the program has ended, no event loop runs again in this process.
  void alt_e_ends_the_program() {
    when_shown([] { press(Qt::Key_E, Qt::AltModifier); });
    lv::Main();
    QVERIFY(lv::qt::program_ended());
    QVERIFY(!lv::forms::hoofd().window.visible());
  }

 private:
  static void check_settings_layout() {
    const lv::frm_hoofd& w = lv::forms::hoofd();
    QWidget* window = widget(w.window);
    QCOMPARE(window->windowTitle(), QString("Form1"));
    QCOMPARE(window->size(), QSize(369, 192));
    const QPoint screen_centre = window->screen()->availableGeometry().center();
    QVERIFY2((window->frameGeometry().center() - screen_centre).manhattanLength() <= 2,
             qPrintable(QString("window at %1,%2, screen centre %3,%4")
                            .arg(window->frameGeometry().center().x())
                            .arg(window->frameGeometry().center().y())
                            .arg(screen_centre.x())
                            .arg(screen_centre.y())));
    expect_place(w.Label1, {16, 24, 107, 17});
    expect_place(w.txt_start, {136, 24, 105, 19});
    expect_place(w.Label2, {16, 64, 107, 17});
    expect_place(w.txt_speed, {136, 64, 105, 19});
    expect_place(w.Label3, {256, 24, 81, 17});
    expect_place(w.Label4, {256, 64, 81, 17});
    expect_place(w.cmd_start, {16, 144, 113, 33});
    expect_place(w.cmd_exit, {240, 144, 113, 33});
    QCOMPARE(static_cast<QLabel*>(widget(w.Label1))->text(), QString("Geef start interval"));
    QCOMPARE(static_cast<QLabel*>(widget(w.Label2))->text(), QString("Geef versnelling"));
    QCOMPARE(static_cast<QLabel*>(widget(w.Label3))->text(), QString("Mili seconden"));
    QCOMPARE(static_cast<QLineEdit*>(widget(w.txt_start))->text(), QString("2000"));
    QCOMPARE(static_cast<QLineEdit*>(widget(w.txt_speed))->text(), QString("100"));
    QCOMPARE(static_cast<QPushButton*>(widget(w.cmd_start))->text(), QString("&Start"));
    QCOMPARE(static_cast<QPushButton*>(widget(w.cmd_exit))->text(), QString("&Einde"));
    // The prompts fit their boxes in the font the layout is drawn for.
    QLabel* prompt = static_cast<QLabel*>(widget(w.Label1));
    QVERIFY(prompt->fontMetrics().horizontalAdvance(prompt->text()) <= prompt->width());
  }

  static void check_settings_keyboard() {
    QCOMPARE(focus_name(), QString("txt_start"));
    for (const char* next : {"txt_speed", "cmd_start", "cmd_exit", "txt_start"}) {
      press(Qt::Key_Tab);
      QCOMPARE(focus_name(), QString(next));
    }
    // Enter in an edit field and Escape press nothing: no default, no cancel button.
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
      press(key);
      QVERIFY(lv::forms::hoofd().window.visible());
      QCOMPARE(focus_name(), QString("txt_start"));
    }
    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    QVERIFY(lv::forms::hoofd().window.visible());
    QVERIFY(!lv::qt::program_ended());
  }

  // Reads and dismisses the message box the next click brings up, as the user would.
  static void answer_message_box(QString& message) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &message] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      message = box->text();
      box->button(QMessageBox::Ok)->click();
      poll->deleteLater();
    });
    poll->start(20);
  }

  static void check_second_chance(const QString& message) {
    QVERIFY2(message.contains("Geef start interval"), qPrintable(message));
    QVERIFY2(message.contains("\"12a\""), qPrintable(message));
    QVERIFY2(message.contains("milliseconden"), qPrintable(message));
    const lv::frm_hoofd& hoofd = lv::forms::hoofd();
    QVERIFY(hoofd.window.visible());
    // The focus the window gives back when it is active again.
    QCOMPARE(widget(hoofd.window)->focusWidget()->objectName(), QString("txt_start"));
    QCOMPARE(static_cast<QLineEdit*>(widget(hoofd.txt_start))->selectedText(), QString("12a"));
    QCOMPARE(lv::Module1.start_interval, 2000);
  }

  static void check_exercise_layout() {
    const lv::frm_werk& w = lv::forms::werk();
    QWidget* window = widget(w.window);
    QCOMPARE(window->windowTitle(), QString("Lettervonk"));
    QCOMPARE(window->size(), QSize(1016, 734));
    QCOMPARE(window->palette().color(QPalette::Window), QColor(180, 180, 180));
    QVERIFY(!lv::forms::hoofd().window.visible());
    expect_place(w.cmd_exit, {760, 608, 113, 33});
    expect_place(w.txt_string, {352, 288, 225, 97});
    expect_place(w.Label1, {952, 656, 49, 17});
    expect_place(w.Label2, {248, 64, 49, 17});
    expect_place(w.Label3, {952, 616, 49, 17});
    expect_place(w.Picture1, {384, 280, 153, 113});
    expect_place(w.Label4, {896, 616, 33, 17});
    expect_place(w.Label5, {904, 656, 25, 17});
    expect_place(w.Command1, {904, 552, 81, 33});
    expect_place(w.Command2, {904, 504, 81, 33});
    QVERIFY(widget(w.txt_string)->isHidden());
    QVERIFY(widget(w.Label2)->isHidden());
    QVERIFY(widget(w.Picture1)->isHidden());
    QVERIFY(!static_cast<QLabel*>(widget(w.txt_string))->text().isEmpty());
    const QFont font = widget(w.txt_string)->font();
    QVERIFY(font.bold());
    QCOMPARE(font.pointSize(), 24);
    const QPixmap picture = static_cast<QLabel*>(widget(w.Picture1))->pixmap();
    QCOMPARE(picture.size(), QSize(150, 112));
    // The pace buttons read as two lines, like their Windows twins.
    QCOMPARE(static_cast<QPushButton*>(widget(w.Command1))->text(), QString("versnel\n100 msec"));
    QCOMPARE(static_cast<QPushButton*>(widget(w.Command2))->text(), QString("vertraag\n100 msec"));
    QCOMPARE(lv::qt::timer(w.Timer1)->timerType(), Qt::PreciseTimer);
    QVERIFY(lv::qt::timer(w.Timer1)->isActive());
    QVERIFY(!lv::qt::timer(w.Timer2)->isActive());
    QCOMPARE(focus_name(), QString("cmd_exit"));
  }

  static void check_exercise_runs() {
    const lv::frm_werk& w = lv::forms::werk();
    // At 200 ms a syllable shows after 10 ticks, for 10 ticks; the first rest comes after 210.
    QTRY_VERIFY_WITH_TIMEOUT(!widget(w.txt_string)->isHidden(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!widget(w.Picture1)->isHidden(), 10000);
    QVERIFY(widget(w.txt_string)->isHidden());
    QCOMPARE(static_cast<QLabel*>(widget(w.Label3))->text(), QString("1"));
    QCOMPARE(static_cast<QLabel*>(widget(w.Label1))->text(), QString("200"));
    QVERIFY(lv::qt::timer(w.Timer2)->isActive());
    // The picture takes its turn in the focus order while shown; Enter presses a focused button.
    press(Qt::Key_Tab);
    QCOMPARE(focus_name(), QString("Picture1"));
    press(Qt::Key_Tab);
    QCOMPARE(focus_name(), QString("Command1"));
    press(Qt::Key_Return);
    QCOMPARE(lv::Module1.start_interval, 100);
    press(Qt::Key_Escape);
    QVERIFY(w.window.visible());
  }
};

int main(int argc, char** argv) {
  lv::ui::Toolkit toolkit(argc, argv);
  QtWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_window_test.moc"
