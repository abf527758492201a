// What a user does and sees, in native terms: keys posted to the focused window, so they pass
// through the program's message loop as typed keys do; boxes of controls in client pixels; and
// message boxes answered from another thread while the program waits in one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/controls.h"

namespace lv::test {

struct Box {
  int left;
  int top;
  int width;
  int height;
  bool operator==(const Box& other) const {
    return left == other.left && top == other.top && width == other.width && height == other.height;
  }
};
std::ostream& operator<<(std::ostream& out, const Box& box);

// Where the control stands in its window's client area, in pixels.
Box box_of(const ui::Control& control);
SIZE client_size(const ui::Window& window);

// What a message box says: the texts it shows, one after the other.
std::string message_box_text(HWND box);

// What a control shows on screen, as the system paints it now: 0xRRGGBB, row after row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
};
Pixels look_at(const ui::Control& control);

HWND handle(const ui::Control& control);
HWND handle(const ui::Window& window);

// Puts text on the clipboard and pastes it into the focused control.
void paste(const std::string& text);
void press_alt(char letter);

// Answers the next message box of this thread with OK, and keeps its title and text.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer();
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // Waits for the answer; empty when no message box came within ten seconds.
  const std::string& text();
  const std::string& title();

 private:
  void watch(DWORD thread);

  std::thread watcher_;
  std::string title_;
  std::string text_;
};

}  // namespace lv::test
