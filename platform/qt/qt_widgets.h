// The Qt backend's private types. Positions are Qt's device-independent pixels, 15 twips each
// (96 DPI), or fewer where a window would not fit its screen; Qt's high-DPI scaling takes them to
// the screen's real DPI.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <vector>

#include "platform/controls.h"
#include "platform/paced_timer.h"
#include "platform/screen_fit.h"
#include "platform/tick_pacer.h"

namespace lv::qt {

// Device-independent pixels are 96 to the inch.
constexpr int kLogicalDpi = 96;

inline QRect pixels(const ui::Twips& place, int dpi) {
  return {ui::twips_to_pixels(place.left, dpi), ui::twips_to_pixels(place.top, dpi),
          ui::twips_to_pixels(place.width, dpi), ui::twips_to_pixels(place.height, dpi)};
}

// A top-level window that reports its title-bar close to the drill, ends its modal showing
// when it is hidden, and keeps the screen on while it is shown if asked to. It lays its controls
// out at the largest DPI up to 96 at which it fits the work area of its screen, and does so again
// on another screen.
class FormWidget : public QWidget {
 public:
  FormWidget(ui::Window& owner, ui::Twips client_size);
  QEventLoop* modal_loop = nullptr;
  bool keeps_screen_on = false;

  // A control of this window, laid out with it; points > 0 for a label with a font of its own.
  void place(QWidget* control, ui::Twips place, int points = 0);
  void set_points(QWidget* control, int points);
  // Fitted to the screen's work area and centred on it, title bar included.
  void open_on(QScreen* screen);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct Placed {
    QPointer<QWidget> widget;
    ui::Twips place;
    int points;
  };
  void fit_to(const QScreen& screen);
  void lay_out(const Placed& placed) const;
  void centre_on(const QScreen& screen);

  ui::Window& owner_;
  ui::Twips client_size_;
  int layout_dpi_ = kLogicalDpi;
  std::vector<Placed> placed_;
  bool placing_ = false;  // shown, and the frame the window manager adds not seen yet
  QPointer<QScreen> opened_on_;
};

// The screen a window opens on: that of the program's window active last, or its own.
QScreen* screen_to_open_on(QWidget& window);

// The face, if this system has it, then the stand-ins. Asking Qt for a missing face first would
// send it through a slow search for fallbacks at every use.
QStringList font_families(const QString& face, const QStringList& stand_ins);

// Gives the focus to the first control in the window's focus order that takes it.
void focus_first_control(ui::Window& window);

// A push button that wraps its caption at blanks when it is too wide for one line, as Windows
// buttons do ("versnel        100 msec" reads as two lines), and that always shows when it has
// the focus. Its keys are the program's key rules' (key_presses.h), not Qt's own shortcuts.
class PushButton : public QPushButton {
 public:
  PushButton(const QString& caption, QWidget* parent);
  const QString& caption() const { return caption_; }

 protected:
  void initStyleOption(QStyleOptionButton* option) const override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void wrap_caption();
  void show_caption(const QString& text);
  QString caption_;
};

}  // namespace lv::qt

namespace lv::ui {

struct Window::Impl {
  std::string name;
  std::unique_ptr<qt::FormWidget> widget;
};

struct Control::Impl {
  std::string name;
  QPointer<QWidget> widget;  // owned by its window's widget, which may go first
};

}  // namespace lv::ui

namespace lv::qt {

// A QTimer is the pacer's alarm: periodic, after a single shot that puts it in step. While the
// pacer is catching up, it wakes it again at the event loop's next pass instead of waiting.
class QtAlarm final : public ui::Alarm {
 public:
  explicit QtAlarm(ui::Timer::Impl& timer);

  void ring(ui::TickClock::duration first, std::chrono::milliseconds every) override;
  void silence() override;
  QTimer& timer() { return timer_; }

 private:
  void rang();
  void wake();

  ui::Timer::Impl& owner_;
  QTimer timer_;
  std::chrono::milliseconds period_{};
  bool putting_in_step_ = false;  // the single shot is armed; the periodic ringing follows it
  bool wake_posted_ = false;      // the pacer, catching up, is woken again at the next pass
};

}  // namespace lv::qt
