// Two screens, a 1920 x 1080 desk screen at scale 1 and a 1366 x 728 whiteboard at scale 2
// (683 x 364 in Qt's pixels, too small for the exercise window): each window opens where the
// teacher had the settings window, and is fitted again when it goes to the other screen.
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <functional>

#include "exercise/frm_werk.h"
#include "platform/qt/qt_backend.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"

namespace {

using lv::qt::widget;

// Runs `user` once the next modal showing is waiting and its window has become active.
void when_shown(std::function<void()> user) {
  QTimer::singleShot(0, [user = std::move(user)] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window || !QTest::qWaitForWindowActive(window)) qWarning("no active modal window");
    user();
  });
}

QScreen* other_screen(const QWidget& window) {
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != window.screen()) return screen;
  }
  return nullptr;
}

}  // namespace

class QtTwoScreensTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { lv::forms::unload_all(); }

  void exercise_window_opens_on_the_settings_windows_screen_and_fits_it() {
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QScreen* whiteboard = nullptr;
    when_shown([&whiteboard] {
      QWidget* settings = widget(lv::forms::hoofd().window);
      whiteboard = other_screen(*settings);
      settings->setScreen(whiteboard);
      settings->move(whiteboard->availableGeometry().topLeft() + QPoint(100, 50));
      when_shown([&whiteboard] {
        check_opened_on(whiteboard);
        widget(lv::forms::werk().window)->hide();
      });
      static_cast<QPushButton*>(widget(lv::forms::hoofd().cmd_start))->click();
    });
    lv::Main();
  }

  void a_window_taken_to_another_screen_is_fitted_to_it() {
    when_shown([] {
      when_shown([] {
        check_taken_to_the_other_screen_and_back();
        widget(lv::forms::werk().window)->hide();
      });
      static_cast<QPushButton*>(widget(lv::forms::hoofd().cmd_start))->click();
    });
    lv::Main();
  }

 private:
  static void check_opened_on(QScreen* whiteboard) {
    QWidget* exercise = widget(lv::forms::werk().window);
    QCOMPARE(exercise->screen(), whiteboard);
    const QRect frame = exercise->frameGeometry();
    QVERIFY2(whiteboard->availableGeometry().contains(frame), qPrintable(QString("at %1,%2 %3x%4")
                                                                             .arg(frame.x())
                                                                             .arg(frame.y())
                                                                             .arg(frame.width())
                                                                             .arg(frame.height())));
    QVERIFY(exercise->width() < 1016);
  }

  static void check_taken_to_the_other_screen_and_back() {
    QWidget* exercise = widget(lv::forms::werk().window);
    QScreen* first = exercise->screen();
    QScreen* second = other_screen(*exercise);
    const QSize on_first = exercise->size();
    const qreal points_on_first = widget(lv::forms::werk().txt_string)->font().pointSizeF();
    exercise->windowHandle()->setScreen(second);
    QTRY_VERIFY_WITH_TIMEOUT(exercise->size() != on_first, 30000);
    QVERIFY(exercise->frameGeometry().width() <= second->availableGeometry().width());
    QVERIFY(exercise->frameGeometry().height() <= second->availableGeometry().height());
    // Back: the layout and the syllable's font as they were.
    exercise->windowHandle()->setScreen(first);
    QTRY_COMPARE_WITH_TIMEOUT(exercise->size(), on_first, 30000);
    QCOMPARE(widget(lv::forms::werk().txt_string)->font().pointSizeF(), points_on_first);
  }
};

QTEST_MAIN(QtTwoScreensTest)
#include "qt_two_screens_test.moc"
