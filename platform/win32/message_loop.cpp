#include "platform/win32/message_loop.h"

#include <array>

#include "platform/win32/program.h"
#include "platform/win32/ticks.h"

namespace lv::win32 {

namespace {

// The top-level window each key went down in, while it is down.
std::array<HWND, 256> down_in{};

bool is_repeat(const MSG& msg) {
  return (msg.lParam & (LPARAM{1} << 30)) != 0;  // the key was down already
}

// A key acts only in the window it went down in: held on from a window into one that opened
// meanwhile, its repeats and its release are dropped. (A button clicks Space on the key's
// release, after a press it saw itself; a repeat counts as such a press.)
bool held_from_elsewhere(const MSG& msg) {
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
  if (!down && !up) return false;
  HWND& went_down_in = down_in[msg.wParam & 0xFF];
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (down && !is_repeat(msg)) {
    went_down_in = root;
    return false;
  }
  const bool elsewhere = went_down_in != root;
  if (up) went_down_in = nullptr;
  return elsewhere;
}

// A bare letter is typed, never taken for a mnemonic: the dialog manager would press the button
// with that letter whenever the focus is on a control that takes no characters.
bool typed_outside_a_text_field(const MSG& msg) {
  if (msg.message != WM_CHAR) return false;
  const HWND focus = GetFocus();
  return !focus ||
         !(SendMessageW(focus, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS);
}

// There is no default button and no cancel button: Enter presses the focused button and nothing
// else, Escape presses nothing. The dialog manager would turn both into IDOK and IDCANCEL.
bool handled_enter_or_escape(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) {
    return false;
  }
  if (!is_program_window(GetAncestor(msg.hwnd, GA_ROOT))) return false;
  if (msg.wParam == VK_RETURN && !is_repeat(msg)) {
    const ui::Control::Impl* control = control_of(msg.hwnd);
    if (control && control->on_click) run_handler(*control->on_click);
  }
  return true;
}

void dispatch(MSG& msg) {
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  const bool ours = is_program_window(root);
  if (ours && held_from_elsewhere(msg)) return;
  if (handled_enter_or_escape(msg)) return;
  // Tab, Shift+Tab, Alt mnemonics and Space on buttons, as in a dialog box.
  if (ours && !typed_outside_a_text_field(msg) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

void run_until(const std::function<bool()>& done) {
  // A due tick goes first, then one message, so that ticks a busy moment held back and input
  // take turns.
  while (!program().ended && !done()) {
    const bool ticked = run_next_tick();
    if (program().ended || done()) return;
    // After a tick that came in its time, the next wait says whether input came meanwhile.
    if (ticked && !catching_up()) continue;
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ui::end_program();  // the system asks the program to end
        return;
      }
      dispatch(msg);
    }
  }
}

}  // namespace lv::win32
