// The toolkit's side of the program's own loop (platform/event_loop.h): the timers' alarms and
// the message queue, and the keys as the program's key rules have them.
#include "platform/backend.h"
#include "platform/paced_timer.h"
#include "platform/win32/program.h"
#include "platform/win32/ticks.h"

namespace lv::win32 {

namespace {

ui::KeyName name_of(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      return ui::KeyName::enter;
    case VK_SPACE:
      return ui::KeyName::space;
    case VK_ESCAPE:
      return ui::KeyName::escape;
    case VK_TAB:
      return ui::KeyName::tab;
    default:
      break;
  }
  return key >= 'A' && key <= 'Z' ? ui::KeyName::letter : ui::KeyName::other;
}

// Whether the key in msg goes on to the toolkit after the rules have had it.
bool key_goes_on(const MSG& msg, HWND root) {
  using Motion = ui::KeyStroke::Motion;
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  const bool was_down = (msg.lParam & (LPARAM{1} << 30)) != 0;
  const Motion motion = !down ? Motion::up : was_down ? Motion::repeat : Motion::down;
  const bool alt = (msg.lParam & (LPARAM{1} << 29)) != 0;  // the context code: Alt is down
  const WPARAM key = msg.wParam & 0xFF;
  const ui::KeyName name = name_of(key);
  const char letter = name == ui::KeyName::letter ? static_cast<char>('a' + (key - 'A')) : '\0';
  ui::Window* window = program_window(root);
  ui::Control* focused = window ? control_of(GetFocus()) : nullptr;
  return ui::program().key(
      {motion, static_cast<int>(key), name, letter, alt, reinterpret_cast<std::uintptr_t>(root)},
      window, focused && &ui::program().window_of(*focused) == window ? focused : nullptr);
}

// Keys go by the program's key rules first. What those leave to the toolkit goes as in a dialog
// box (Tab and Shift+Tab move the focus); characters go straight to the control, never through
// the dialog manager, which would take a bare letter for a button's mnemonic.
void dispatch(MSG& msg) {
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!key_goes_on(msg, root)) return;
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      return;
    default:
      break;
  }
  if (is_program_window(root) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

}  // namespace lv::win32

namespace lv::ui {

void backend::take_turn(bool wait) {
  // After a tick that came in its time, the next wait says whether input came meanwhile.
  if (wait && win32::wait_for_tick_or_input() && !timer_catching_up()) return;
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
  if (msg.message == WM_QUIT) {
    end_program();  // the system asks the program to end
    return;
  }
  win32::dispatch(msg);
}

}  // namespace lv::ui
