// Qt's own texts (context menus, standard buttons) in the user's language.
#pragma once

#include <QApplication>

namespace lv::qt {

// Loads Qt's translations for the user's locale, where they are installed; otherwise Qt's texts
// stay English.
void load_translations(QApplication& application);

}  // namespace lv::qt
