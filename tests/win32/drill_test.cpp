// What only the drill's Win32 windows have: their pixels, the focus rectangle they draw, a long
// paste, the names the accessibility API gives their fields, and the screen kept on through the
// system's execution state. (What every backend shares, its users' stories, is in tests/scenario;
// these use the same user.)
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <map>
#include <optional>

#include "startup/forms.h"
#include "startup/module1.h"
#include "tests/scenario/drill_windows.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

using user::exercise_ready;
using user::hoofd;
using user::werk;
bool settings_back() {
  return hoofd().window.visible() && !werk().window.visible();
}

TEST(DrillWindows, AreLaidOutInPixelsAt96Dpi) {
  user::run_program([] {
    ASSERT_TRUE(user::wait_until([] { return hoofd().window.visible(); }));
    user::look([] {
      EXPECT_EQ(client_size(hoofd().window).cx, 369);
      EXPECT_EQ(client_size(hoofd().window).cy, 192);
      EXPECT_EQ(box_of(hoofd().Label1), (Box{16, 24, 107, 17}));
      EXPECT_EQ(box_of(hoofd().txt_start), (Box{136, 24, 105, 19}));
      EXPECT_EQ(box_of(hoofd().txt_speed), (Box{136, 64, 105, 19}));
      EXPECT_EQ(box_of(hoofd().Label4), (Box{256, 64, 81, 17}));
      EXPECT_EQ(box_of(hoofd().cmd_start), (Box{16, 144, 113, 33}));
      EXPECT_EQ(box_of(hoofd().cmd_exit), (Box{240, 144, 113, 33}));
    });
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    user::look([] {
      EXPECT_EQ(client_size(werk().window).cx, 1016);
      EXPECT_EQ(client_size(werk().window).cy, 734);
      EXPECT_EQ(box_of(werk().cmd_exit), (Box{760, 608, 113, 33}));
      EXPECT_EQ(box_of(werk().txt_string), (Box{352, 288, 225, 97}));
      EXPECT_EQ(box_of(werk().Picture1), (Box{384, 280, 153, 113}));
      EXPECT_EQ(box_of(werk().Command2), (Box{904, 504, 81, 33}));
      EXPECT_EQ(box_of(werk().Label1), (Box{952, 656, 49, 17}));
    });
  });
}

// Whether `focused` shows the dotted focus rectangle that `unfocused`, the same button without the
// focus, lacks: pixels differ on each of the four sides of the band a few pixels inside the edge.
// The outer two pixels are left out: the focused button also wears the default button's frame.
bool shows_focus_rectangle(const Pixels& focused, const Pixels& unfocused) {
  if (focused.width != unfocused.width || focused.height != unfocused.height) return false;
  constexpr int edge = 2;
  constexpr int band = 6;
  const auto differs_in = [&](int left, int top, int width, int height) {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) {
        if (focused.at(x, y) != unfocused.at(x, y)) return true;
      }
    }
    return false;
  };
  const int w = focused.width;
  const int h = focused.height;
  return differs_in(band, edge, w - 2 * band, band - edge) &&
         differs_in(band, h - band, w - 2 * band, band - edge) &&
         differs_in(edge, band, band - edge, h - 2 * band) &&
         differs_in(w - band, band, band - edge, h - 2 * band);
}

// The keyboard cues the program asks Windows to show, window by window, while it lives.
class CuesAskedFor {
 public:
  CuesAskedFor() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, &watch, nullptr, GetCurrentThreadId())) {
    asked_.clear();
  }
  ~CuesAskedFor() { UnhookWindowsHookEx(hook_); }
  CuesAskedFor(const CuesAskedFor&) = delete;
  CuesAskedFor& operator=(const CuesAskedFor&) = delete;

  WORD in(HWND window) const { return asked_[window]; }

 private:
  static LRESULT CALLBACK watch(int code, WPARAM wparam, LPARAM lparam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && sent->message == WM_CHANGEUISTATE &&
        LOWORD(sent->wParam) == UIS_CLEAR) {
      asked_[sent->hwnd] |= HIWORD(sent->wParam);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static inline std::map<HWND, WORD> asked_;
  HHOOK hook_;
};

// The keyboard cues the program asks Windows to show, window by window.
std::map<HWND, WORD> cues_asked_for;

LRESULT CALLBACK note_cues(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && sent->message == WM_CHANGEUISTATE && LOWORD(sent->wParam) == UIS_CLEAR) {
    cues_asked_for[sent->hwnd] |= HIWORD(sent->wParam);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Space or Enter would end the program: "&Einde" shows it has the focus from the start. Windows
// hides focus rectangles until the keyboard is used unless the program asks for them; Wine shows
// them always, so the asking is checked besides the pixels.
TEST(DrillWindows, EindeShowsItsFocusAsTheExerciseWindowOpens) {
  user::run_program([] {
    std::map<HWND, WORD>& asked = cues_asked_for;
    HHOOK hook = user::see([] {
      cues_asked_for.clear();
      return SetWindowsHookExW(WH_CALLWNDPROC, &note_cues, nullptr, GetCurrentThreadId());
    });
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    const Pixels focused = user::see([] { return look_at(werk().cmd_exit); });
    user::press(user::Key::tab);
    user::look([&] {
      EXPECT_EQ(user::focused(), &werk().Command1);
      EXPECT_TRUE(shows_focus_rectangle(focused, look_at(werk().cmd_exit)));
      // Focus rectangles and access-key underlines.
      EXPECT_EQ(asked[handle(werk().window)], UISF_HIDEFOCUS | UISF_HIDEACCEL);
      UnhookWindowsHookEx(hook);
    });
  });
}

TEST(DrillWindows, ALongPasteIsReadWholeNeverWhatIsLeftAfterACut) {
  const std::string pasted = std::string(32'765, ' ') + "2000";
  user::run_program([&] {
    ASSERT_TRUE(user::wait_until([] { return user::focused() == &hoofd().txt_start; }));
    user::look([&] { paste(pasted); });  // over the selected "2000"
    EXPECT_TRUE(user::wait_until([&] { return hoofd().txt_start.text().size() == pasted.size(); }));
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    EXPECT_EQ(user::see([] { return Module1.start_interval; }), 2000);
  });
}

// The screen reader's name of an edit field, or nothing where the accessibility API gives none.
std::optional<std::string> accessible_name(HWND field) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(field, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&accessible)))) {
    return std::nullopt;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT got = accessible->get_accName(self, &name);
  accessible->Release();
  if (got != S_OK || !name) return std::nullopt;
  const std::wstring wide(name, SysStringLen(name));
  SysFreeString(name);
  return std::string(wide.begin(), wide.end());
}

TEST(DrillWindows, EditFieldsAreNamedAfterTheLabelsBesideThem) {
  std::optional<std::string> start_name;
  std::optional<std::string> speed_name;
  user::run_program([&] {
    ASSERT_TRUE(user::wait_until([] { return hoofd().window.visible(); }));
    user::look([&] {
      start_name = accessible_name(handle(hoofd().txt_start));
      speed_name = accessible_name(handle(hoofd().txt_speed));
    });
  });
  if (!start_name || *start_name == "2000") {
    GTEST_SKIP() << "this system's accessibility API names an edit field by its own text";
  }
  EXPECT_EQ(start_name, "Geef start interval");
  EXPECT_EQ(speed_name, "Geef versnelling");
}

// Whether the display is asked to stay on; asking so resets only the idle timer. Per thread: to
// be looked at where the program runs.
bool display_kept_on() {
  const EXECUTION_STATE state = SetThreadExecutionState(ES_SYSTEM_REQUIRED);
  return (state & ES_CONTINUOUS) && (state & ES_DISPLAY_REQUIRED);
}

TEST(DrillWindows, TheScreenStaysOnExactlyWhileADrillIsShown) {
  user::run_program([] {
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    EXPECT_TRUE(user::see(display_kept_on));
    user::close(werk().window);
    ASSERT_TRUE(user::wait_until(settings_back));
    EXPECT_FALSE(user::see(display_kept_on));
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    EXPECT_TRUE(user::see(display_kept_on));
    user::press_alt('e');
    ASSERT_TRUE(user::wait_until(user::ended));
    EXPECT_FALSE(user::see(display_kept_on));
  });
}

}  // namespace
}  // namespace lv::test
