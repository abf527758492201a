// The control layer: everything the drill's windows need of a toolkit, and nothing more.
//
// Exactly one backend (a folder of platform/: qt/, win32/, web/ or headless/) is linked into each
// executable and defines the Impl types and functions declared here; backend.h says what else it
// supplies. Nothing toolkit-specific may appear in this header: native handles stay inside the
// backends.
//
// Geometry is given in twips (1/1440 inch), relative to the window's client area. A backend turns
// twips into pixels at 15 twips to the pixel at 96 DPI, scaled to the display's real DPI.
// Focus order is creation order: buttons, edit fields and shown picture boxes take focus, static
// texts never do. When show_modal shows a window, the first control that takes focus gets it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lv::ui {

struct Twips {
  int left;
  int top;
  int width;
  int height;
};

enum class Align { left, centre };

struct Font {
  std::string face;  // backends fall back to a clear sans-serif when the face is missing
  int points;
  bool bold;
};

enum class Background {
  standard,       // the toolkit's ordinary window colour
  active_border,  // the desktop's colour for an active window border, a light grey
};

// Brings the toolkit up for the life of the program; create one before any window.
class Toolkit {
 public:
  Toolkit(int& argc, char** argv);
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;
};

class Window {
 public:
  // Client size in twips; the frame is ordinary and resizable, controls keep their places.
  Window(std::string name, std::string caption, Twips client_size, Background background);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Shows the window centred on the screen and waits until it is no longer shown or the program
  // ends; handlers of this and other windows run meanwhile. The wait looks again whenever control
  // comes back to it: a window hidden and brought back with show_again before then keeps it
  // waiting, so a window can come and go any number of times without a deeper wait. (The headless
  // backend returns at once: there the test plays the event loop.)
  void show_modal();
  // Brings back a window hidden while its show_modal still waits, as it was left (same place, same
  // texts, the focus where it was), in front and active. Does nothing once the program has ended.
  void show_again();
  void hide();
  bool visible() const;
  std::string caption() const;
  const std::string& name() const;

  // Runs when the user closes the window through its title bar. Left empty, closing hides it.
  std::function<void()> on_close;

  // While this window is shown, the screen stays on: no screen saver, no display power-saving.
  // Where the system offers no way to ask for that, nothing changes.
  void keep_screen_on_while_shown();

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

class Control {
 public:
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  void set_visible(bool visible);
  bool visible() const;
  const std::string& name() const;

  struct Impl;
  Impl& impl() const { return *impl_; }

 protected:
  explicit Control(std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

// Static text: drawn from the top of its box in the default font, cut off at the box's edges.
class Label : public Control {
 public:
  Label(Window& window, std::string name, Twips place, std::string text, bool visible = true);
  void set_text(const std::string& text);
  std::string text() const;
  void set_font(const Font& font);
  void set_alignment(Align align);
};

// Single-line edit field. Enter and Escape in it do nothing. It holds any text that can be typed
// or pasted into it, never cutting one short. Assistive technology names it after the static text
// created just before it.
class EditField : public Control {
 public:
  EditField(Window& window, std::string name, Twips place);
  void set_text(const std::string& text);
  std::string text() const;
  // Gives the field the focus with all its text selected, ready to be typed over.
  void focus_with_text_selected();
};

// Push button. An "&" in the caption marks its Alt mnemonic; the letter alone presses nothing.
// There is no default and no cancel button: Space or Enter press the focused button only, and
// only when the key went down while the button's window was active; the repeats of a held key
// press nothing, so a key held from one window on into the next does nothing there.
class Button : public Control {
 public:
  Button(Window& window, std::string name, Twips place, std::string caption);
  std::string caption() const;
  std::function<void()> on_click;
};

// Shows one of the pictures carried in the program, unscaled at the top left inside a thin border.
// It takes focus only while it is shown.
class PictureBox : public Control {
 public:
  PictureBox(Window& window, std::string name, Twips place, std::string picture, bool visible);
};

// Periodic timer that ticks on the user-interface thread. Its on_tick runs to its end without
// waiting: it never shows a window modally nor shows an error, since a browser runs it beside the
// program's sleeping loop, which cannot wait a second time.
class Timer {
 public:
  Timer(Window& window, std::string name, int interval_ms, bool running);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void set_interval(int interval_ms);
  int interval() const;
  void start();
  void stop();
  bool running() const;
  const std::string& name() const;

  std::function<void()> on_tick;

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Shows a message and waits until the user acknowledges it.
void show_error(const std::string& title, const std::string& message);

// Ends the program at once: every timer stops, every window closes, every waiting show_modal
// returns, and no handler of the program runs afterwards.
void end_program();

// The user's decimal separator, as UTF-8 text.
std::string decimal_separator();

// A value of the system clock, for seeding random numbers.
std::uint64_t clock_value();

}  // namespace lv::ui
