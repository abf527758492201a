// What only the Qt windows have, offscreen: their pixels, the focus frame they draw, the names
// screen readers give their fields, and a long paste. (What every backend shares, its users'
// stories, is in tests/scenario; these use the same user.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "platform/qt/qt_backend.h"
#include "startup/forms.h"
#include "startup/module1.h"
#include "tests/scenario/drill_windows.h"

namespace lv {
namespace {

using qt::widget;

using user::exercise_ready;
using user::hoofd;
using user::werk;

void expect_place(const ui::Control& control, QRect pixels) {
  EXPECT_TRUE(widget(control)->geometry() == pixels) << control.name();
}

TEST(QtWindows, AreLaidOutInPixelsAt96DpiCentredOnTheScreen) {
  user::run_program([] {
    ASSERT_TRUE(user::wait_until([] { return hoofd().window.visible(); }));
    user::look([] {
      const frm_hoofd& w = hoofd();
      const QWidget* window = widget(w.window);
      EXPECT_TRUE(window->size() == QSize(369, 192));
      const QPoint off_centre =
          window->frameGeometry().center() - window->screen()->availableGeometry().center();
      EXPECT_LE(off_centre.manhattanLength(), 2);
      expect_place(w.Label1, {16, 24, 107, 17});
      expect_place(w.txt_start, {136, 24, 105, 19});
      expect_place(w.Label2, {16, 64, 107, 17});
      expect_place(w.txt_speed, {136, 64, 105, 19});
      expect_place(w.Label3, {256, 24, 81, 17});
      expect_place(w.Label4, {256, 64, 81, 17});
      expect_place(w.cmd_start, {16, 144, 113, 33});
      expect_place(w.cmd_exit, {240, 144, 113, 33});
      // The prompts fit their boxes in the font the layout is drawn for.
      const auto* prompt = static_cast<const QLabel*>(widget(w.Label1));
      EXPECT_LE(prompt->fontMetrics().horizontalAdvance(prompt->text()), prompt->width());
    });
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    user::look([] {
      const frm_werk& w = werk();
      EXPECT_TRUE(widget(w.window)->size() == QSize(1016, 734));
      EXPECT_TRUE(widget(w.window)->palette().color(QPalette::Window) == QColor(180, 180, 180));
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
      const QFont font = widget(w.txt_string)->font();
      EXPECT_TRUE(font.bold());
      EXPECT_EQ(font.pointSize(), 24);
      EXPECT_TRUE(static_cast<const QLabel*>(widget(w.Picture1))->pixmap().size() ==
                  QSize(150, 112));
      // The pace buttons read as two lines, like their Windows twins.
      EXPECT_EQ(static_cast<QPushButton*>(widget(w.Command1))->text(), "versnel\n100 msec");
      EXPECT_EQ(static_cast<QPushButton*>(widget(w.Command2))->text(), "vertraag\n100 msec");
      EXPECT_EQ(qt::timer(w.Timer1)->timerType(), Qt::PreciseTimer);
    });
  });
}

TEST(QtWindows, EditFieldsAreNamedAfterTheirLabels) {
  QAccessibleInterface* start = QAccessible::queryAccessibleInterface(widget(hoofd().txt_start));
  QAccessibleInterface* speed = QAccessible::queryAccessibleInterface(widget(hoofd().txt_speed));
  ASSERT_TRUE(start && speed);
  EXPECT_EQ(start->text(QAccessible::Name), "Geef start interval");
  EXPECT_EQ(speed->text(QAccessible::Name), "Geef versnelling");
  forms::unload_all();
}

TEST(QtWindows, ALongPasteIsReadWhole) {
  const QString pasted = QString(32'765, ' ') + "2000";
  user::run_program([&] {
    ASSERT_TRUE(user::wait_until([] { return user::focused() == &hoofd().txt_start; }));
    user::look([&] {
      QGuiApplication::clipboard()->setText(pasted);
      QTest::keyClick(widget(hoofd().txt_start), Qt::Key_V, Qt::ControlModifier);
    });
    EXPECT_EQ(user::see([] { return hoofd().txt_start.text().size(); }),
              static_cast<std::size_t>(pasted.size()));
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    EXPECT_EQ(user::see([] { return Module1.start_interval; }), 2000);
  });
}

QImage look_at(const ui::Control& button) {
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

// Space and Enter press the focused button, so it shows its focus however it got it: by a
// click, kept while its window was away, or given as the window opens after Alt+S.
TEST(QtWindows, AFocusedButtonShowsItsFocus) {
  user::run_program([] {
    ASSERT_TRUE(user::wait_until([] { return hoofd().window.visible(); }));
    const QImage start_unfocused = user::see([] { return look_at(hoofd().cmd_start); });
    user::click(hoofd().cmd_start);
    ASSERT_TRUE(user::wait_until(exercise_ready));
    user::close(werk().window);
    ASSERT_TRUE(user::wait_until([] { return user::focused() == &hoofd().cmd_start; }));
    EXPECT_TRUE(user::see([&] {
      return shows_focus_frame(look_at(hoofd().cmd_start), start_unfocused);
    })) << "clicked, then shown again";
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    const QImage exit_focused = user::see([] { return look_at(werk().cmd_exit); });
    const QImage pace_unfocused = user::see([] { return look_at(werk().Command1); });
    user::click(werk().Command1);
    ASSERT_TRUE(user::wait_until([] { return user::focused() == &werk().Command1; }));
    user::look([&] {
      EXPECT_TRUE(shows_focus_frame(exit_focused, look_at(werk().cmd_exit))) << "opened by Alt+S";
      EXPECT_TRUE(shows_focus_frame(look_at(werk().Command1), pace_unfocused)) << "clicked";
    });
  });
}

}  // namespace
}  // namespace lv
