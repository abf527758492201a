// The real program on the screen and at the scale it is run with (QT_SCALE_FACTOR, under a window
// manager): it opens the settings window, then the exercise window through "&Start", and checks
// each once the window manager has framed it: the window with its frame inside the screen's work
// area, every control inside the window, the layout shrunk only where it would not fit at
// 96 DPI, and the syllable's font shrunk with it. It prints what it saw and ends with exit
// code 0 when all of that held, 1 otherwise.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <cstdio>

#include "exercise/frm_werk.h"
#include "platform/qt/qt_backend.h"
#include "platform/screen_fit.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"

namespace {

using lv::qt::widget;

int failures = 0;

void fail(const QWidget& window, const char* what) {
  std::printf("  FAILED, %s: %s\n", qPrintable(window.objectName()), what);
  ++failures;
}

void check(const QWidget& window, lv::ui::Twips layout, const QLabel* syllable) {
  const QRect area = window.screen()->availableGeometry();
  const QRect outer = window.frameGeometry();
  std::printf("%s at scale %.2f: work area %dx%d at (%d,%d), frame (%d,%d) %dx%d, client %dx%d\n",
              qPrintable(window.objectName()), window.devicePixelRatioF(), area.width(),
              area.height(), area.x(), area.y(), outer.x(), outer.y(), outer.width(),
              outer.height(), window.width(), window.height());
  if (!area.contains(outer)) fail(window, "the window reaches outside the work area");

  const QSize frame = outer.size() - window.size();
  const QSize full(lv::ui::twips_to_pixels(layout.width, 96),
                   lv::ui::twips_to_pixels(layout.height, 96));
  const bool full_fits = full.width() + frame.width() <= area.width() &&
                         full.height() + frame.height() <= area.height();
  if (full_fits && window.size() != full) {
    fail(window, "the layout is not at 96 DPI, though it would fit");
  }
  if (!full_fits && (window.width() >= full.width() || window.height() >= full.height())) {
    fail(window, "the layout is not shrunk, though it would not fit");
  }
  for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!window.rect().contains(control->geometry())) {
      fail(window, "a control reaches outside the window");
    }
  }
  if (syllable) {
    // 24 points at the DPI the layout was drawn at, which its width gives.
    const double expected = 24 * (window.width() * 1440.0 / layout.width) / 96;
    std::printf("  syllable font %.2f points, %.2f expected\n", syllable->font().pointSizeF(),
                expected);
    if (std::abs(syllable->font().pointSizeF() - expected) > 0.3) {
      fail(window, "the syllable's font is not scaled with the layout");
    }
  }
}

// Shown, framed by the window manager, and in the same place as at the last look.
bool settled(const QWidget& window) {
  static QRect last;
  const QRect now = window.frameGeometry();
  const bool framed =
      now.size() != window.size() && window.windowHandle() && window.windowHandle()->isExposed();
  const bool same = now == last;
  last = now;
  return window.isVisible() && framed && same;
}

bool started = false;
int polls = 0;

void look() {
  QWidget& settings = *widget(lv::forms::hoofd().window);
  if (!started && settled(settings)) {
    check(settings, {0, 0, 5535, 2880}, nullptr);
    // Pressed from the event loop: the exercise window's modal wait must not run inside this poll.
    auto* start = static_cast<QPushButton*>(widget(lv::forms::hoofd().cmd_start));
    QTimer::singleShot(0, start, &QPushButton::click);
    started = true;
  } else if (started && settled(*widget(lv::forms::werk().window))) {
    check(*widget(lv::forms::werk().window), {0, 0, 15240, 11010},
          static_cast<const QLabel*>(widget(lv::forms::werk().txt_string)));
    lv::ui::end_program();
  } else if (++polls > 1200) {
    fail(settings, started ? "the exercise window was never framed and shown"
                           : "the settings window was never framed and shown");
    lv::ui::end_program();
  }
}

}  // namespace

int main(int argc, char** argv) {
  lv::ui::Toolkit toolkit(argc, argv);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, look);
  poll.start(50);
  lv::Main();
  lv::forms::unload_all();
  std::fflush(stdout);
  return failures == 0 ? 0 : 1;
}
