// The test as the user: keyboard, mouse and title bar, and what the user can see.
#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"

namespace lv::headless {

namespace {

ui::Window::Impl* window_on_top() {
  auto& windows = desktop().windows;
  const auto top = std::find_if(windows.rbegin(), windows.rend(),
                                [](const ui::Window::Impl* w) { return w->visible; });
  return top == windows.rend() ? nullptr : *top;
}

void require_usable(const ui::Control& control) {
  if (desktop().ended) throw std::logic_error("the program has ended");
  if (!control.visible() || !control.impl().window->visible) {
    throw std::logic_error(control.name() + " cannot be reached: it is not on screen");
  }
}

ui::Window::Impl& require_window_on_top() {
  if (desktop().ended) throw std::logic_error("the program has ended");
  ui::Window::Impl* top = window_on_top();
  if (!top) throw std::logic_error("no window is shown");
  return *top;
}

char mnemonic(const std::string& caption) {
  const auto amp = caption.find('&');
  if (amp == std::string::npos || amp + 1 >= caption.size()) return '\0';
  return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
}

}  // namespace

bool takes_focus(const ui::Control& control) {
  const ui::ControlKind kind = control.impl().kind;
  return control.visible() && kind != ui::ControlKind::label;
}

void refocus(ui::Window::Impl& window) {
  if (window.focus && takes_focus(*window.focus)) return;
  auto& controls = window.controls;
  auto from = std::find(controls.begin(), controls.end(), window.focus);
  if (from == controls.end()) from = controls.begin();
  // The next control in the focus order after the one that lost it, wrapping round.
  for (std::size_t i = 0; i < controls.size(); ++i) {
    ui::Control* candidate =
        controls[(static_cast<std::size_t>(from - controls.begin()) + i) % controls.size()];
    if (takes_focus(*candidate)) {
      window.focus = candidate;
      return;
    }
  }
  window.focus = nullptr;
}

void click(ui::Button& button) {
  require_usable(button);
  if (button.on_click) button.on_click();
}

void type(ui::EditField& field, const std::string& text) {
  require_usable(field);
  field.impl().window->focus = &field;
  field.set_text(text);
}

void close(ui::Window& window) {
  if (desktop().ended) throw std::logic_error("the program has ended");
  if (!window.visible()) throw std::logic_error(window.name() + " is not on screen");
  if (window.on_close) {
    window.on_close();
  } else {
    window.hide();
  }
}

void press(Key key) {
  ui::Window::Impl& window = require_window_on_top();
  ui::Control* focus = window.focus;
  switch (key) {
    case Key::tab: {
      if (focus && focus->impl().kind == ui::ControlKind::edit_field) {
        focus->impl().text_selected = false;
      }
      auto& controls = window.controls;
      const auto at = std::find(controls.begin(), controls.end(), focus);
      const std::size_t start =
          at == controls.end() ? 0 : static_cast<std::size_t>(at - controls.begin()) + 1;
      for (std::size_t i = 0; i < controls.size(); ++i) {
        ui::Control* candidate = controls[(start + i) % controls.size()];
        if (takes_focus(*candidate)) {
          window.focus = candidate;
          if (candidate->impl().kind == ui::ControlKind::edit_field) {
            candidate->impl().text_selected = true;  // tabbing into a field selects its text
          }
          break;
        }
      }
      return;
    }
    case Key::enter:
    case Key::space:
      // Only a focused button answers; there is no default button.
      if (focus && focus->impl().kind == ui::ControlKind::button) {
        click(static_cast<ui::Button&>(*focus));
      }
      return;
    case Key::escape:
      return;  // there is no cancel button
  }
}

void press_alt(char letter) {
  ui::Window::Impl& window = require_window_on_top();
  const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (ui::Control* control : window.controls) {
    if (control->impl().kind == ui::ControlKind::button && takes_focus(*control) &&
        mnemonic(control->impl().text) == wanted) {
      click(static_cast<ui::Button&>(*control));
      return;
    }
  }
}

const ui::Control* focused() {
  const ui::Window::Impl* window = window_on_top();
  return window ? window->focus : nullptr;
}

bool modal(const ui::Window& window) {
  return window.impl().modal;
}
bool screen_kept_on() {
  const auto& windows = desktop().windows;
  return std::any_of(windows.begin(), windows.end(), [](const ui::Window::Impl* window) {
    return window->visible && window->keeps_screen_on;
  });
}
bool text_selected(const ui::EditField& field) {
  return field.impl().text_selected && focused() == &field;
}

ui::Twips place(const ui::Control& control) {
  return control.impl().place;
}
ui::Twips client_size(const ui::Window& window) {
  return window.impl().client_size;
}
ui::Background background(const ui::Window& window) {
  return window.impl().background;
}
ui::Font font(const ui::Label& label) {
  return label.impl().font;
}
ui::Align alignment(const ui::Label& label) {
  return label.impl().align;
}
std::string picture(const ui::PictureBox& box) {
  return box.impl().text;
}

}  // namespace lv::headless
