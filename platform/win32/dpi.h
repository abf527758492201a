// Twips become pixels at the window's layout DPI, and fonts are made for that DPI.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/controls.h"
#include "platform/screen_fit.h"

namespace lv::win32 {

inline int to_pixels(int twips, UINT dpi) {
  return ui::twips_to_pixels(twips, static_cast<int>(dpi));
}

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The user's message font (what dialogs and message boxes use), at dpi.
FontHandle message_font(UINT dpi);

// font at dpi; where its face is missing, the message font's face at the same size and weight.
FontHandle make_font(const ui::Font& font, UINT dpi);

}  // namespace lv::win32
