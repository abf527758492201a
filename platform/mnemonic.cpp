#include "platform/mnemonic.h"

namespace lv::ui {

Mnemonic read_mnemonic(const std::string& caption) {
  Mnemonic read{{}, -1, '\0'};
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
      // The first mark counts, as in the system's own controls.
      if (caption[i] != '&' && read.index < 0) {
        read.index = static_cast<int>(read.text.size());
        const char marked = caption[i];
        read.letter =
            marked >= 'A' && marked <= 'Z' ? static_cast<char>(marked - 'A' + 'a') : marked;
      }
    }
    read.text += caption[i];
  }
  return read;
}

}  // namespace lv::ui
