#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "platform/qt/qt_widgets.h"
#include "platform/qt/screen_saver.h"

namespace lv::qt {

void FormWidget::closeEvent(QCloseEvent* event) {
  if (owner_.on_close) {
    event->ignore();
    owner_.on_close();
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

// Qt places a window by the top left of its frame.
void centre_on_screen(QWidget& window) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize frame = window.frameGeometry().size();
  window.move(screen.x() + (screen.width() - frame.width()) / 2,
              screen.y() + (screen.height() - frame.height()) / 2);
}

// Not left to the window manager's activation, which differs between platforms.
void focus_first_control(QWidget& window) {
  for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
    if (w->isVisibleTo(&window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

}  // namespace lv::qt

namespace lv::ui {

Window::Window(std::string name, std::string caption, Twips client_size, Background background)
    : impl_(std::make_unique<Impl>()) {
  impl_->name = std::move(name);
  impl_->widget = std::make_unique<qt::FormWidget>(*this);
  QWidget& widget = *impl_->widget;
  widget.setObjectName(QString::fromStdString(impl_->name));
  widget.setWindowTitle(QString::fromStdString(caption));
  widget.resize(qt::pixels(client_size.width), qt::pixels(client_size.height));
  if (background == Background::active_border) {
    // Qt has no such system colour; this is the light grey Windows uses for it.
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(180, 180, 180));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
  }
  qt::registry().windows.push_back(impl_.get());
}

Window::~Window() {
  auto& windows = qt::registry().windows;
  windows.erase(std::remove(windows.begin(), windows.end(), impl_.get()), windows.end());
}

void Window::show_modal() {
  if (qt::registry().ended) return;
  qt::FormWidget& widget = *impl_->widget;
  centre_on_screen(widget);
  widget.setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  widget.modal_loop = &loop;
  widget.show();
  centre_on_screen(widget);  // again, now that the frame around it is known
  widget.activateWindow();
  focus_first_control(widget);
  // Hiding the window quits the loop; if a handler has shown it again by the time the loop
  // returns, the wait goes on at the same depth.
  do {
    loop.exec();
  } while (!qt::registry().ended && widget.isVisible());
  widget.modal_loop = nullptr;
}

void Window::show_again() {
  if (qt::registry().ended) return;
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
