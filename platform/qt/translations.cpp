#include "platform/qt/translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lv::qt {

void load_translations(QApplication& application) {
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale::system(), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace lv::qt
