#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>

#include "platform/program.h"
#include "platform/qt/qt_widgets.h"
#include "platform/qt/screen_saver.h"

namespace lv::qt {

namespace {

// The program's window that was active last: the next window opens on its screen.
QPointer<QWidget> last_active;

// What the window manager's frame adds to a window's size, once one has been seen: the same for
// every window of the program. Qt knows a frame only after the window manager has put it on.
QSize frame_seen;

bool known(const QSize& frame) {
  return frame.width() > 0 || frame.height() > 0;
}

QSize frame_of(const QWidget& window) {
  const QSize frame = window.frameGeometry().size() - window.size();
  return known(frame) ? frame : frame_seen;
}

}  // namespace

FormWidget::FormWidget(ui::Window& owner, ui::Twips client_size)
    : owner_(owner), client_size_(client_size) {
  resize(ui::twips_to_pixels(client_size.width, layout_dpi_),
         ui::twips_to_pixels(client_size.height, layout_dpi_));
}

void FormWidget::place(QWidget* control, ui::Twips place, int points) {
  placed_.push_back({control, place, points});
  lay_out(placed_.back());
}

void FormWidget::set_points(QWidget* control, int points) {
  for (Placed& placed : placed_) {
    if (placed.widget != control) continue;
    placed.points = points;
    lay_out(placed);
  }
}

void FormWidget::lay_out(const Placed& placed) const {
  if (!placed.widget) return;
  if (placed.points > 0) {
    QFont font = placed.widget->font();
    font.setPointSizeF(placed.points * layout_dpi_ / double{kLogicalDpi});
    placed.widget->setFont(font);
  }
  placed.widget->setGeometry(pixels(placed.place, layout_dpi_));
}

void FormWidget::fit_to(const QScreen& screen) {
  const QRect area = screen.availableGeometry();
  const QSize frame = frame_of(*this);
  const int dpi = ui::fitting_dpi(client_size_, kLogicalDpi, {frame.width(), frame.height()},
                                  {area.width(), area.height()});
  if (dpi != layout_dpi_) {
    layout_dpi_ = dpi;
    // The controls without a font of their own take the window's.
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * dpi / kLogicalDpi);
    setFont(font);
    for (const Placed& placed : placed_) lay_out(placed);
  }
  resize(ui::twips_to_pixels(client_size_.width, dpi),
         ui::twips_to_pixels(client_size_.height, dpi));
}

// Qt places a window by the top left of its frame.
void FormWidget::centre_on(const QScreen& screen) {
  const QRect area = screen.availableGeometry();
  const QSize outer = size() + frame_of(*this);
  move(area.x() + std::max(0, (area.width() - outer.width()) / 2),
       area.y() + std::max(0, (area.height() - outer.height()) / 2));
}

void FormWidget::open_on(QScreen* screen) {
  if (!screen) return;
  opened_on_ = screen;
  setScreen(screen);  // drawn at that screen's scale from the start
  fit_to(*screen);
  centre_on(*screen);
  placing_ = true;
}

bool FormWidget::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      last_active = this;
      break;
    case QEvent::ScreenChangeInternal:
      // Another screen, maybe of another scale: fitted to it afresh where it stands.
      if (screen()) fit_to(*screen());
      break;
    case QEvent::Paint:
      // Shown by the window manager, so with its frame: fitted and centred again if the frame
      // is not the one it was placed with.
      if (placing_) {
        placing_ = false;
        const QSize frame = frameGeometry().size() - size();
        if (known(frame) && frame != frame_seen && opened_on_) {
          frame_seen = frame;
          fit_to(*opened_on_);
          centre_on(*opened_on_);
        }
      }
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

QScreen* screen_to_open_on(QWidget& window) {
  QScreen* screen = last_active ? last_active->screen() : window.screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

void FormWidget::closeEvent(QCloseEvent* event) {
  if (owner_.on_close) {
    event->ignore();
    ui::program().run(owner_.on_close);
  } else {
    event->accept();  // Qt hides the window, which ends its modal showing
  }
}

void FormWidget::showEvent(QShowEvent* event) {
  if (!event->spontaneous() && keeps_screen_on) hold_screen_on();
  QWidget::showEvent(event);
}

void FormWidget::hideEvent(QHideEvent* event) {
  // A minimised window is hidden by the window system, spontaneously; it is still shown.
  if (!event->spontaneous()) {
    if (modal_loop) modal_loop->quit();
    if (keeps_screen_on) release_screen();
  }
  QWidget::hideEvent(event);
}

// The first control in the focus order takes it, a field with its text selected to be typed
// over, as in a dialog box. Not left to the window manager's activation, which comes later and
// differs between platforms, and gives a field the focus with its text unselected.
void focus_first_control(ui::Window& window) {
  ui::Control* first = ui::program().first_to_focus(window);
  if (!first) return;
  QWidget* control = first->impl().widget;
  control->setFocus(Qt::TabFocusReason);
  if (auto* field = qobject_cast<QLineEdit*>(control)) field->selectAll();
}

}  // namespace lv::qt

namespace lv::ui {

Window::Window(std::string name, std::string caption, Twips client_size, Background background)
    : impl_(std::make_unique<Impl>()) {
  impl_->name = std::move(name);
  impl_->widget = std::make_unique<qt::FormWidget>(*this, client_size);
  QWidget& widget = *impl_->widget;
  widget.setObjectName(QString::fromStdString(impl_->name));
  widget.setWindowTitle(QString::fromStdString(caption));
  if (background == Background::active_border) {
    // Qt has no such system colour; this is the light grey Windows uses for it.
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(180, 180, 180));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
  }
  program().add(*this);
}

Window::~Window() {
  program().remove(*this);
}

void Window::show_modal() {
  if (program().ended()) return;
  qt::FormWidget& widget = *impl_->widget;
  widget.open_on(qt::screen_to_open_on(widget));
  widget.setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  widget.modal_loop = &loop;
  widget.show();
  widget.activateWindow();
  qt::focus_first_control(*this);
  // Hiding the window quits the loop; if a handler has shown it again by the time the loop
  // returns, the wait goes on at the same depth.
  do {
    loop.exec();
  } while (!program().ended() && widget.isVisible());
  widget.modal_loop = nullptr;
}

void Window::show_again() {
  if (program().ended()) return;
  QWidget& widget = *impl_->widget;
  widget.show();
  widget.raise();
  widget.activateWindow();
}

void Window::keep_screen_on_while_shown() {
  impl_->widget->keeps_screen_on = true;
  if (impl_->widget->isVisible()) qt::hold_screen_on();
}

void Window::hide() {
  impl_->widget->hide();
}
bool Window::visible() const {
  return impl_->widget->isVisible();
}
std::string Window::caption() const {
  return impl_->widget->windowTitle().toStdString();
}
const std::string& Window::name() const {
  return impl_->name;
}

}  // namespace lv::ui
