#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "platform/qt/qt_widgets.h"

namespace lv::qt {

void FormWidget::closeEvent(QCloseEvent* event) {
  if (owner_.on_close) {
    event->ignore();
    owner_.on_close();
  } else {
    event->accept();  // Qt hides the window, which ends its modal showing
  }
}

void FormWidget::hideEvent(QHideEvent* event) {
  // A minimised window is hidden by the window system, spontaneously; it is still shown.
  if (!event->spontaneous() && modal_loop) modal_loop->quit();
  QWidget::hideEvent(event);
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
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  widget.move(screen.center() - widget.rect().center());
  widget.setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  widget.modal_loop = &loop;
  widget.show();
  widget.activateWindow();
  loop.exec();
  widget.modal_loop = nullptr;
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
