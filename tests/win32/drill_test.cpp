// The drill's own windows on Win32: what the user sees and does, from "&Start" to "&Einde".
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <map>
#include <optional>

#include "exercise/frm_werk.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "startup/module1.h"
#include "tests/win32/script.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

struct Drill : testing::Test {
  ~Drill() override { forms::unload_all(); }
};

TEST_F(Drill, SettingsWindowLooksAsDesignedAndTabsThroughItsFields) {
  Script script({[&] {
                   frm_hoofd& hoofd = forms::hoofd();
                   EXPECT_EQ(hoofd.window.caption(), "Form1");
                   EXPECT_EQ(client_size(hoofd.window).cx, 369);
                   EXPECT_EQ(client_size(hoofd.window).cy, 192);
                   EXPECT_EQ(box_of(hoofd.Label1), (Box{16, 24, 107, 17}));
                   EXPECT_EQ(box_of(hoofd.txt_start), (Box{136, 24, 105, 19}));
                   EXPECT_EQ(box_of(hoofd.txt_speed), (Box{136, 64, 105, 19}));
                   EXPECT_EQ(box_of(hoofd.Label4), (Box{256, 64, 81, 17}));
                   EXPECT_EQ(box_of(hoofd.cmd_start), (Box{16, 144, 113, 33}));
                   EXPECT_EQ(box_of(hoofd.cmd_exit), (Box{240, 144, 113, 33}));
                   EXPECT_EQ(hoofd.txt_start.text(), "2000");
                   EXPECT_EQ(hoofd.txt_speed.text(), "100");
                   EXPECT_EQ(hoofd.Label3.text(), "Mili seconden");
                   EXPECT_TRUE(has_focus(hoofd.txt_start));
                   press(VK_TAB);
                 },
                 [&] {
                   EXPECT_TRUE(has_focus(forms::hoofd().txt_speed));
                   press(VK_TAB);
                 },
                 [&] {
                   EXPECT_TRUE(has_focus(forms::hoofd().cmd_start));
                   press(VK_TAB);
                 },
                 [&] {
                   EXPECT_TRUE(has_focus(forms::hoofd().cmd_exit));
                   press(VK_TAB);
                 },
                 [&] {
                   EXPECT_TRUE(has_focus(forms::hoofd().txt_start));
                   press(VK_RETURN);  // no default button
                   press(VK_ESCAPE);  // no cancel button
                 },
                 [&] {
                   EXPECT_TRUE(forms::hoofd().window.visible());
                   // Closed through the title bar, the window goes and Main returns.
                   PostMessageW(handle(forms::hoofd().window), WM_CLOSE, 0, 0);
                 }});
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(forms::hoofd().window.visible());
}

TEST_F(Drill, StartOpensTheExerciseWindowWhereSyllablesComeAndEindeEndsIt) {
  const auto exercise_window_active = [] {
    return forms::werk().window.visible() && has_focus(forms::werk().cmd_exit);
  };
  Script script({
      [&] { press_alt('s'); },
      Script::when(exercise_window_active,
                   [&] {
                     EXPECT_FALSE(forms::hoofd().window.visible());
                     frm_werk& werk = forms::werk();
                     EXPECT_TRUE(werk.window.visible());
                     EXPECT_EQ(werk.window.caption(), "Lettervonk");
                     EXPECT_EQ(client_size(werk.window).cx, 1016);
                     EXPECT_EQ(client_size(werk.window).cy, 734);
                     EXPECT_EQ(box_of(werk.cmd_exit), (Box{760, 608, 113, 33}));
                     EXPECT_EQ(box_of(werk.txt_string), (Box{352, 288, 225, 97}));
                     EXPECT_EQ(box_of(werk.Picture1), (Box{384, 280, 153, 113}));
                     EXPECT_EQ(box_of(werk.Command2), (Box{904, 504, 81, 33}));
                     EXPECT_EQ(box_of(werk.Label1), (Box{952, 656, 49, 17}));
                     EXPECT_FALSE(werk.txt_string.visible());
                     EXPECT_FALSE(werk.Picture1.visible());
                     EXPECT_TRUE(has_focus(werk.cmd_exit));
                     press(VK_TAB);
                   }),
      [&] {
        EXPECT_TRUE(has_focus(forms::werk().Command1));  // the hidden picture is passed over
        press(VK_TAB);
      },
      [&] {
        EXPECT_TRUE(has_focus(forms::werk().Command2));
        press(VK_TAB);
      },
      [&] { EXPECT_TRUE(has_focus(forms::werk().cmd_exit)); },
      // The first syllable shows after a hundred ticks of 10 ms; then "&Einde" ends the run.
      Script::when([] { return forms::werk().txt_string.visible(); },
                   [&] {
                     frm_werk& werk = forms::werk();
                     EXPECT_GE(werk.txt_string.text().size(), 2u);
                     EXPECT_EQ(werk.Label1.text(), "2000");
                     EXPECT_EQ(werk.Label3.text(), "1");
                     press_alt('e');
                   }),
  });
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(forms::werk().window.visible());
  EXPECT_EQ(Module1.start_interval, 2000);
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

// Space or Enter would end the program: "&Einde" shows it has the focus from the start. Windows
// hides focus rectangles until the keyboard is used unless the program asks for them; Wine shows
// them always, so the asking is checked besides the pixels.
TEST_F(Drill, EindeShowsItsFocusAsTheExerciseWindowOpens) {
  const CuesAskedFor cues;
  Pixels focused;
  WORD asked = 0;
  Script script({
      [&] { press_alt('s'); },
      Script::when(
          [] { return forms::werk().window.visible() && has_focus(forms::werk().cmd_exit); },
          [&] {
            asked = cues.in(handle(forms::werk().window));
            focused = look_at(forms::werk().cmd_exit);
            press(VK_TAB);
          }),
      [&] {
        EXPECT_TRUE(has_focus(forms::werk().Command1));
        EXPECT_TRUE(shows_focus_rectangle(focused, look_at(forms::werk().cmd_exit)));
        PostMessageW(handle(forms::werk().window), WM_CLOSE, 0, 0);
      },
      Script::when([] { return forms::hoofd().window.visible(); },
                   [&] { PostMessageW(handle(forms::hoofd().window), WM_CLOSE, 0, 0); }),
  });
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(asked, UISF_HIDEFOCUS | UISF_HIDEACCEL);  // focus rectangles and access-key underlines
}

TEST_F(Drill, ABadNumberIsExplainedAndCanBeTypedAgain) {
  std::optional<MessageBoxAnswerer> answerer;
  Script script(
      {[&] {
         type("abc");  // over the selected "2000"
         answerer.emplace();
         press_alt('s');
       },
       [&] {
         const std::string& text = answerer->text();
         EXPECT_NE(text.find("Geef start interval"), std::string::npos) << text;
         EXPECT_NE(text.find("abc"), std::string::npos) << text;
       },
       [&] {
         frm_hoofd& hoofd = forms::hoofd();
         EXPECT_TRUE(hoofd.window.visible());
         EXPECT_TRUE(has_focus(hoofd.txt_start));
         DWORD start = 1;
         DWORD end = 0;
         SendMessageW(handle(hoofd.txt_start), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                      reinterpret_cast<LPARAM>(&end));
         EXPECT_EQ(start, 0u);
         EXPECT_EQ(end, 3u);
         type("1500");
         press_alt('s');
       },
       Script::when(
           [] { return forms::werk().window.visible() && has_focus(forms::werk().cmd_exit); },
           [&] {
             EXPECT_EQ(Module1.start_interval, 1500);
             press(VK_RETURN);  // "&Einde" has the focus
           })});
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(forms::werk().window.visible());
}

TEST_F(Drill, ALongPasteIsReadWholeNeverWhatIsLeftAfterACut) {
  const std::string pasted = std::string(32'765, ' ') + "2000";
  Script script({[&] {
                   paste(pasted);  // over the selected "2000"
                 },
                 [&] {
                   EXPECT_EQ(forms::hoofd().txt_start.text().size(), pasted.size());
                   press_alt('s');
                 },
                 Script::when([] { return forms::werk().window.visible(); },
                              [] {
                                EXPECT_EQ(Module1.start_interval, 2000);
                                press_alt('e');
                              })});
  Main();
  EXPECT_TRUE(script.finished());
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

TEST_F(Drill, EditFieldsAreNamedAfterTheLabelsBesideThem) {
  std::optional<std::string> start_name;
  std::optional<std::string> speed_name;
  Script script({[&] {
    start_name = accessible_name(handle(forms::hoofd().txt_start));
    speed_name = accessible_name(handle(forms::hoofd().txt_speed));
    forms::hoofd().window.hide();
  }});
  Main();
  if (!start_name || *start_name == "2000") {
    GTEST_SKIP() << "this system's accessibility API names an edit field by its own text";
  }
  EXPECT_EQ(start_name, "Geef start interval");
  EXPECT_EQ(speed_name, "Geef versnelling");
}

}  // namespace
}  // namespace lv::test
