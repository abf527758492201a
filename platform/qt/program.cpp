// The program-wide operations of the control layer on Qt.
#include <QApplication>
#include <QDirIterator>
#include <QFontDatabase>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <chrono>

#include "platform/backend.h"
#include "platform/program.h"
#include "platform/qt/key_presses.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/qt_widgets.h"
#include "platform/qt/translations.h"

namespace lv::qt {

QStringList font_families(const QString& face, const QStringList& stand_ins) {
  return QFontDatabase::hasFamily(face) ? QStringList{face} + stand_ins : stand_ins;
}

QWidget* widget(const ui::Window& window) {
  return window.impl().widget.get();
}
QWidget* widget(const ui::Control& control) {
  return control.impl().widget;
}
QTimer* timer(const ui::Timer& timer) {
  return &static_cast<QtAlarm&>(*timer.impl().alarm).timer();
}

}  // namespace lv::qt

namespace lv::ui {

namespace {
std::unique_ptr<QApplication> application;
}  // namespace

Toolkit::Toolkit(int& argc, char** argv) {
  application = std::make_unique<QApplication>(argc, argv);
  qt::load_translations(*application);
  qt::keep_keys_to_the_rules(*application);
  // Hiding the settings window for the exercise window must not end the program.
  QApplication::setQuitOnLastWindowClosed(false);
  // Every window, message boxes too, shows the program's own icon, at whichever size fits.
  QIcon icon;
  for (QDirIterator it(":/icons"); it.hasNext();) icon.addFile(it.next());
  QApplication::setWindowIcon(icon);
  // The layouts are measured in twips for the Windows dialog font, 8 point; the Linux desktops'
  // larger defaults would cut the prompts off. A metric twin of Arial is closest.
  QFont font = QApplication::font();
  font.setFamilies(qt::font_families("MS Sans Serif", {"Liberation Sans", "Arial", font.family()}));
  font.setPointSize(8);
  QApplication::setFont(font);
}

Toolkit::~Toolkit() {
  application.reset();
}

void show_error(const std::string& title, const std::string& message) {
  if (program().ended()) return;
  QMessageBox::warning(QApplication::activeWindow(), QString::fromStdString(title),
                       QString::fromStdString(message));
}

void backend::program_ended() {
  QCoreApplication::exit(0);  // every waiting event loop returns, and none runs again
}

std::string decimal_separator() {
  return QLocale::system().decimalPoint().toStdString();
}

std::uint64_t clock_value() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace lv::ui
