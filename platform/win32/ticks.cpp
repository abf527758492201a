#include "platform/win32/ticks.h"

#include <algorithm>
#include <vector>

#include "platform/win32/creation.h"
#include "platform/win32/program.h"

namespace lv::win32 {

namespace {

constexpr UINT_PTR kSystemLoopTimer = 0x4C56;  // a window timer id of the program's own

// Every tick that is due, of every timer: the system's loop dispatches the window timer no more
// often than every 10 ms. A handler may stop or delete timers meanwhile.
void run_due_ticks() {
  const std::vector<ui::Timer*> timers = ui::program().timers();
  for (ui::Timer* timer : timers) {
    const auto& live = ui::program().timers();
    while (std::find(live.begin(), live.end(), timer) != live.end() && timer->impl().pacer.due()) {
      timer->impl().wake();
    }
  }
}

}  // namespace

bool wait_for_tick_or_input() {
  // Kept from pass to pass, so that waiting for a tick allocates nothing. A handler may wait in
  // here again, modally: nothing is read from them once the tick's handler runs.
  static std::vector<HANDLE> handles;
  static std::vector<ui::Timer*> timers;
  handles.clear();
  timers.clear();
  for (ui::Timer* timer : ui::program().timers()) {
    if (!timer->running()) continue;
    handles.push_back(static_cast<const WaitableAlarm&>(*timer->impl().alarm).handle());
    timers.push_back(timer);
  }
  // Lower indices win when several are ready, so a due tick goes before waiting input.
  const DWORD count = static_cast<DWORD>(handles.size());
  const DWORD result = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
  // A wait that fails would fail again at once: taken for "no tick", the loop would spin.
  if (result == WAIT_FAILED) cannot_go_on("Windows kon niet op de timers wachten.");
  if (result >= WAIT_OBJECT_0 + count) return false;
  timers[result - WAIT_OBJECT_0]->impl().wake();
  return true;
}

bool tick_through_system_loops(HWND hwnd, UINT message, WPARAM wparam) {
  switch (message) {
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE:
      made(SetTimer(hwnd, kSystemLoopTimer, USER_TIMER_MINIMUM, nullptr), "het tijdsignaal");
      return true;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE:
      KillTimer(hwnd, kSystemLoopTimer);
      return true;
    case WM_TIMER:
      if (wparam != kSystemLoopTimer) return false;
      run_due_ticks();
      return true;
    default:
      return false;
  }
}

}  // namespace lv::win32
