// A button's caption marks its Alt letter with "&": "&Start" shows "Start" with the S underlined
// and answers Alt+S. "&&" stands for an "&" itself.
#pragma once

#include <string>

namespace lv::ui {

struct Mnemonic {
  std::string text;  // the caption as shown, without the marks
  int index;         // where in text the marked letter stands, or -1 for none
  char letter;       // that letter in lower case, or '\0'
};

Mnemonic read_mnemonic(const std::string& caption);

}  // namespace lv::ui
