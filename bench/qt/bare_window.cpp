// The smallest Qt program with one window of the settings window's size and one line of text
// (text is what makes a toolkit load its fonts), for comparison.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "bench/shown_report.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* report = argv[1];
  QApplication app(argc, argv);
  QWidget window;
  window.resize(369, 192);
  QLabel text("Geef start interval", &window);
  window.show();
  QTimer::singleShot(1, [&] {
    lv::bench::report_shown(report);
    app.quit();
  });
  return app.exec();
}
