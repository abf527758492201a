// A program of ours started as a child process, and what a user sees of it: its own windows only,
// never another process's (another test's program among them).
#pragma once

#include <windows.h>

#include <string>

namespace lv::test {

class ChildProcess {
 public:
  explicit ChildProcess(std::wstring command_line);
  ~ChildProcess();  // ends it if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return started_; }
  bool running() const;

  // Its shown top-level window of this class and caption, waiting up to a minute for one.
  HWND shown_window(const wchar_t* window_class, const wchar_t* caption) const;
  // Its shown window of this class and caption now, or null.
  HWND window_now(const wchar_t* window_class, const wchar_t* caption) const;

  // Waits for it to end; its exit code, or -1 when it goes on running for a minute.
  long exit_code() const;

 private:
  BOOL started_ = FALSE;
  PROCESS_INFORMATION process_{};
};

// Alt with a letter, as the keyboard sends it, to a window of any process.
void post_alt(HWND target, char letter);

}  // namespace lv::test
