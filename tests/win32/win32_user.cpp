// The user of the stories on Win32: the program runs on the main thread as it does for a user, and
// the story beside it on a thread of its own, posting the keys and clicks a person would and
// looking at the windows between the program's messages.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <mutex>

#include "exercise/frm_werk.h"
#include "platform/event_loop.h"
#include "platform/program.h"
#include "platform/win32/native.h"
#include "startup/forms.h"
#include "tests/scenario/story_thread.h"
#include "tests/scenario/user.h"
#include "tests/win32/user.h"

namespace lv::user {

namespace {

constexpr UINT kLook = WM_APP + 1;     // lparam: the function to run
constexpr UINT kHandled = WM_APP + 2;  // lparam: the event to set

DWORD program_thread = 0;
HWND courier = nullptr;  // a window of the program's thread that runs what the story sends it

LRESULT CALLBACK deliver(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kLook:
      (*reinterpret_cast<const std::function<void()>*>(lparam))();
      return 0;
    case kHandled:
      SetEvent(reinterpret_cast<HANDLE>(lparam));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

void make_courier() {
  program_thread = GetCurrentThreadId();
  if (courier) return;
  WNDCLASSW courier_class{};
  courier_class.lpfnWndProc = deliver;
  courier_class.hInstance = GetModuleHandleW(nullptr);
  courier_class.lpszClassName = L"LettervonkStoryCourier";
  RegisterClassW(&courier_class);
  courier = CreateWindowExW(0, courier_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                            nullptr, courier_class.hInstance, nullptr);
}

// Returns once the program has handled every message posted to its thread before, or has begun
// to wait for a window one of them opened: messages posted to one thread come in order.
void handled() {
  const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  PostMessageW(courier, kHandled, 0, reinterpret_cast<LPARAM>(done));
  WaitForSingleObject(done, 60'000);
  CloseHandle(done);
}

// Where the keyboard's messages go: the focused control, or the active window.
HWND keyboard() {
  return see([] {
    const HWND focus = GetFocus();
    return focus ? focus : GetActiveWindow();
  });
}

constexpr LPARAM kAlt = LPARAM{1} << 29;
constexpr LPARAM kWasDown = LPARAM{1} << 30;
constexpr LPARAM kUp = static_cast<LPARAM>(0xC0000001);

UINT virtual_key(Key key) {
  switch (key) {
    case Key::tab:
      return VK_TAB;
    case Key::enter:
      return VK_RETURN;
    case Key::space:
      return VK_SPACE;
    case Key::escape:
      break;
  }
  return VK_ESCAPE;
}

void letter(char typed, bool alt) {
  const HWND target = keyboard();
  const auto key = static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(typed)));
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, (alt ? kAlt : 0) | 1);
  PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, kUp | (alt ? kAlt : 0));
  handled();
}

HWND message_box() {
  HWND found = nullptr;
  EnumThreadWindows(
      program_thread,
      [](HWND hwnd, LPARAM result) {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        if (!IsWindowVisible(hwnd) || lstrcmpW(name, L"#32770") != 0) return TRUE;
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

void run_program(const std::function<void()>& story) {
  make_courier();
  run_beside_the_program(story, [] {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  });
}

void look(const std::function<void()>& look_at) {
  if (GetCurrentThreadId() == program_thread) {
    look_at();
  } else {
    SendMessageW(courier, kLook, 0, reinterpret_cast<LPARAM>(&look_at));
  }
}

void hold(Key key) {
  PostMessageW(keyboard(), WM_KEYDOWN, virtual_key(key), 1);
  handled();
}
void repeat(Key key, int times) {
  const HWND target = keyboard();
  for (int i = 0; i < times; ++i) PostMessageW(target, WM_KEYDOWN, virtual_key(key), kWasDown | 1);
  handled();
}
void release(Key key) {
  PostMessageW(keyboard(), WM_KEYUP, virtual_key(key), kUp);
  handled();
}
void press_letter(char typed) {
  letter(typed, false);
}
void press_alt(char typed) {
  letter(typed, true);
}
void type(const std::string& text) {
  const HWND target = keyboard();
  for (const char typed : text) PostMessageW(target, WM_CHAR, static_cast<WPARAM>(typed), 1);
  handled();
}

void click(ui::Button& button) {
  PostMessageW(win32::native_handle(button), BM_CLICK, 0, 0);
  handled();
}

void close(ui::Window& window) {
  PostMessageW(win32::native_handle(window), WM_CLOSE, 0, 0);
  handled();
}

std::string answer_message() {
  if (!wait_until([] { return message_box() != nullptr; })) return {};
  const HWND box = see(message_box);
  const std::string text = see([box] { return test::message_box_text(box); });
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  wait_until([] { return message_box() == nullptr; });
  return text;
}

const ui::Control* focused() {
  const HWND focus = GetFocus();
  for (const ui::Window* window : ui::program().windows()) {
    for (const ui::Control* control : ui::program().controls(*window)) {
      if (win32::native_handle(*control) == focus) return control;
    }
  }
  return nullptr;
}

bool text_selected(const ui::EditField& field) {
  const HWND edit = win32::native_handle(field);
  DWORD start = 1;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthW(edit));
}

int waits_nested() {
  return ui::waits_nested();
}

// Notes every time the syllable or the rest picture is shown or hidden, from the message that
// shows or hides it.
struct Watch::Notes {
  Notes() {
    frm_werk& werk = forms::werk();
    syllable = win32::native_handle(werk.txt_string);
    picture = win32::native_handle(werk.Picture1);
    watching = this;
    hook = SetWindowsHookExW(WH_CALLWNDPROC, &note, nullptr, GetCurrentThreadId());
  }
  ~Notes() {
    UnhookWindowsHookEx(hook);
    watching = nullptr;
  }

  static LRESULT CALLBACK note(int code, WPARAM wparam, LPARAM lparam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
    Notes* notes = watching;
    // Shown or hidden itself, not with its window (lParam 0).
    if (code == HC_ACTION && notes && sent->message == WM_SHOWWINDOW && sent->lParam == 0 &&
        (sent->hwnd == notes->syllable || sent->hwnd == notes->picture)) {
      const frm_werk& werk = forms::werk();
      const std::lock_guard lock(notes->mutex);
      notes->changes.push_back(
          {clock_ms(),
           sent->hwnd == notes->syllable ? Change::What::syllable : Change::What::picture,
           sent->wParam != 0, werk.txt_string.text(), werk.Label3.text(), werk.Label1.text()});
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static inline Notes* watching = nullptr;
  HWND syllable;
  HWND picture;
  HHOOK hook;
  std::mutex mutex;
  std::vector<Change> changes;
};

Watch::Watch() {
  look([this] { notes_ = std::make_unique<Notes>(); });
}

Watch::~Watch() {
  look([this] { notes_.reset(); });
}

std::vector<Change> Watch::changes() const {
  const std::lock_guard lock(notes_->mutex);
  return notes_->changes;
}

}  // namespace lv::user
