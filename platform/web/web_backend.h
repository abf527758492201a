// The web backend's private types. A window is a panel in the page, a control a DOM element in
// it, placed from its twips at 15 to the CSS pixel (96 DPI), or fewer where the window would not
// fit the viewport.
#pragma once

#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/program.h"
#include "platform/web/dom.h"

namespace lv::ui {

struct Window::Impl {
  Window* owner = nullptr;
  std::string name;
  std::string caption;
  Twips client_size{};
  int element = 0;
  bool shown = false;
  int raised = 0;  // when it last came in front; the highest shown one is in front
  int layout_dpi = 96;
  int focused = 0;  // the element that had the focus when last in front
  bool keeps_screen_on = false;

  // Sized to the viewport and centred in it, every control laid out at the fitting DPI.
  void fit();
  void focus_first();
};

struct Control::Impl {
  Window* window = nullptr;
  std::string name;
  Twips place{};
  int element = 0;
  bool visible = true;
  std::string text;          // labels and buttons: what they were given to show
  std::optional<Font> font;  // labels with a font of their own

  void lay_out(int dpi) const;
};

}  // namespace lv::ui

namespace lv::web {

// Whether the error message is up, waiting for its "OK".
extern bool message_open;

// The window in front, if any.
ui::Window* front_window();

// The alarm of that number rang: its timer runs a tick if one is due.
void alarm_rang(int alarm);

// Runs the page after the program's end, for good: its "Opnieuw starten" answers the keyboard by
// the same rules as the program's buttons did.
[[noreturn]] void serve_the_page_after_the_end();

}  // namespace lv::web
