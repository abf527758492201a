#include "platform/win32/message_loop.h"

#include "platform/win32/program.h"
#include "platform/win32/ticks.h"

namespace lv::win32 {

namespace {

// There is no default button and no cancel button: Enter presses the focused button and nothing
// else, Escape presses nothing. The dialog manager would turn both into IDOK and IDCANCEL.
bool handled_enter_or_escape(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) {
    return false;
  }
  if (!is_program_window(GetAncestor(msg.hwnd, GA_ROOT))) return false;
  if (msg.wParam == VK_RETURN) {
    const ui::Control::Impl* control = control_of(msg.hwnd);
    if (control && control->on_click) run_handler(*control->on_click);
  }
  return true;
}

void dispatch(MSG& msg) {
  if (handled_enter_or_escape(msg)) return;
  // Tab, Shift+Tab, Alt mnemonics and Space on buttons, as in a dialog box.
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (is_program_window(root) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

void run_until(const std::function<bool()>& done) {
  // A due tick goes first, then one message, so that ticks a busy moment held back and input
  // take turns.
  while (!program().ended && !done()) {
    const bool ticked = run_next_tick(0);
    if (program().ended || done()) return;
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ui::end_program();  // the system asks the program to end
        return;
      }
      dispatch(msg);
      continue;
    }
    if (!ticked) run_next_tick(INFINITE);
  }
}

}  // namespace lv::win32
