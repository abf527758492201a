#include "tests/win32/child_process.h"

namespace lv::test {

ChildProcess::ChildProcess(std::wstring command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  started_ = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process_);
}

ChildProcess::~ChildProcess() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND ChildProcess::shown_window(const wchar_t* window_class, const wchar_t* caption) const {
  for (int waited = 0; waited < 60'000; waited += 50) {
    if (const HWND window = window_now(window_class, caption)) return window;
    Sleep(50);
  }
  return nullptr;
}

HWND ChildProcess::window_now(const wchar_t* window_class, const wchar_t* caption) const {
  struct Search {
    DWORD process;
    const wchar_t* window_class;
    const wchar_t* caption;
    HWND found;
  } search{process_.dwProcessId, window_class, caption, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM parameter) {
        auto& wanted = *reinterpret_cast<Search*>(parameter);
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        wchar_t text[64] = {};
        wchar_t class_name[64] = {};
        GetWindowTextW(hwnd, text, 64);
        GetClassNameW(hwnd, class_name, 64);
        if (process != wanted.process || !IsWindowVisible(hwnd) ||
            lstrcmpW(text, wanted.caption) != 0 ||
            lstrcmpiW(class_name, wanted.window_class) != 0) {
          return TRUE;
        }
        wanted.found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ChildProcess::running() const {
  return started_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

long ChildProcess::exit_code() const {
  if (WaitForSingleObject(process_.hProcess, 60'000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<long>(code);
}

void post_alt(HWND target, char letter) {
  const auto key = static_cast<WPARAM>(letter - 'a' + 'A');
  constexpr LPARAM kAltDown = 1 << 29;
  PostMessageW(target, WM_SYSKEYDOWN, key, kAltDown | 1);
  PostMessageW(target, WM_SYSKEYUP, key, static_cast<LPARAM>(0xC0000001) | kAltDown);
}

}  // namespace lv::test
