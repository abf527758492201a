// Windows and controls as the user sees them: places in pixels, texts, fonts, visibility.
#include <gtest/gtest.h>

#include "tests/win32/script.h"
#include "tests/win32/test_window.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

LOGFONTW font_of(HWND hwnd) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

TEST(Window, TwipsBecomePixelsAt96Dpi) {
  TestWindow test;
  ASSERT_EQ(GetDpiForWindow(handle(test.window)), 96u);
  EXPECT_EQ(client_size(test.window).cx, 400);
  EXPECT_EQ(client_size(test.window).cy, 200);
  EXPECT_EQ(box_of(test.prompt), (Box{10, 10, 100, 17}));
  EXPECT_EQ(box_of(test.field), (Box{120, 10, 100, 19}));
  EXPECT_EQ(box_of(test.first), (Box{10, 60, 100, 33}));
  EXPECT_EQ(box_of(test.picture), (Box{120, 60, 153, 113}));
}

TEST(Window, ShowsCentredAndKeepsControlsInPlaceWhenResized) {
  TestWindow test;
  EXPECT_FALSE(test.window.visible());
  Script script({[&] {
                   EXPECT_TRUE(test.window.visible());
                   RECT frame;
                   GetWindowRect(handle(test.window), &frame);
                   RECT work;
                   SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
                   EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
                   EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);
                   SetWindowPos(handle(test.window), nullptr, 0, 0, 700, 500,
                                SWP_NOMOVE | SWP_NOZORDER);
                 },
                 [&] {
                   EXPECT_GT(client_size(test.window).cx, 400);
                   EXPECT_EQ(box_of(test.second), (Box{280, 60, 100, 33}));
                   test.window.hide();
                 }});
  test.window.show_modal();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(test.window.visible());
}

TEST(Window, MovingToADisplayOfAnotherDpiScalesPlacesAndFonts) {
  TestWindow test;
  test.note.set_font({"MS Sans Serif", 24, true});
  RECT suggested{0, 0, 900, 500};
  SendMessageW(handle(test.window), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(box_of(test.field), (Box{240, 20, 200, 38}));
  EXPECT_EQ(box_of(test.picture), (Box{240, 120, 306, 226}));
  EXPECT_EQ(font_of(handle(test.note)).lfHeight, -64);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 192);
  EXPECT_EQ(font_of(handle(test.first)).lfHeight, metrics.lfMessageFont.lfHeight);
}

TEST(Window, MovingToADisplayOfADpiTooLargeForItShrinksTheLayoutToFit) {
  // The exercise window's size, and its syllable.
  ui::Window window{"big", "Groot", {0, 0, 15240, 11010}, ui::Background::standard};
  ui::Label syllable{window, "syllable", {5280, 4320, 3375, 1455}, "baa"};
  syllable.set_font({"MS Sans Serif", 24, true});
  RECT suggested{0, 0, 4600, 3400};
  SendMessageW(handle(window), WM_DPICHANGED, MAKEWPARAM(288, 288),
               reinterpret_cast<LPARAM>(&suggested));
  RECT outer;
  GetWindowRect(handle(window), &outer);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(outer.right - outer.left, work.right - work.left);
  EXPECT_LE(outer.bottom - outer.top, work.bottom - work.top);
  // Smaller than 288 DPI would make it, and every place and the font shrunk alike. (The frame
  // stays at the DPI the window really has, so the layout's DPI is read from a control.)
  EXPECT_LT(client_size(window).cx, 4572);
  const Box box = box_of(syllable);
  const double dpi = box.width * 1440.0 / 3375;
  EXPECT_LT(dpi, 288);
  EXPECT_NEAR(box.left, 5280 * dpi / 1440, 1.5);
  EXPECT_NEAR(box.top, 4320 * dpi / 1440, 1.5);
  EXPECT_NEAR(box.height, 1455 * dpi / 1440, 1.0);
  EXPECT_NEAR(-font_of(handle(syllable)).lfHeight, 24 * dpi / 72, 1.0);
}

TEST(Window, TextsAreUtf8) {
  TestWindow test;
  EXPECT_EQ(test.window.caption(), "Proefvenster");
  EXPECT_EQ(test.first.caption(), "&Eerste");
  test.prompt.set_text("Één, twee en drieëntwintig");
  EXPECT_EQ(test.prompt.text(), "Één, twee en drieëntwintig");
  wchar_t native[64] = {};
  GetWindowTextW(handle(test.prompt), native, 64);
  EXPECT_STREQ(native, L"\u00c9\u00e9n, twee en drie\u00ebntwintig");
  test.field.set_text("−12,5");
  EXPECT_EQ(test.field.text(), "−12,5");
}

TEST(Window, ControlsKeepTheirOwnVisibility) {
  TestWindow test;
  EXPECT_TRUE(test.prompt.visible());  // though its window is not shown yet
  EXPECT_FALSE(test.note.visible());
  EXPECT_FALSE(test.picture.visible());
  test.note.set_visible(true);
  test.prompt.set_visible(false);
  EXPECT_TRUE(test.note.visible());
  EXPECT_FALSE(test.prompt.visible());
  EXPECT_FALSE(IsWindowVisible(handle(test.prompt)));
}

TEST(Window, ControlsUseTheMessageFontAndLabelsCanHaveTheirOwn) {
  TestWindow test;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 96);
  EXPECT_EQ(font_of(handle(test.first)).lfHeight, metrics.lfMessageFont.lfHeight);
  EXPECT_STREQ(font_of(handle(test.field)).lfFaceName, metrics.lfMessageFont.lfFaceName);

  test.note.set_font({"MS Sans Serif", 24, true});
  const LOGFONTW font = font_of(handle(test.note));
  EXPECT_EQ(font.lfHeight, -32);  // 24 points at 96 DPI
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font_of(handle(test.prompt)).lfHeight, metrics.lfMessageFont.lfHeight);

  test.note.set_font({"No Such Face At All", 12, false});
  EXPECT_STREQ(font_of(handle(test.note)).lfFaceName, metrics.lfMessageFont.lfFaceName);
  EXPECT_EQ(font_of(handle(test.note)).lfHeight, -16);
}

// "MS Sans Serif" is a bitmap face on Windows, which a large size scales into blocks: the syllable
// must come in an outline face. (Wine's "MS Sans Serif" is an outline font itself.)
TEST(Window, TheSyllablesFaceIsAnOutlineFontAtItsSize) {
  TestWindow test;
  test.note.set_font({"MS Sans Serif", 48, true});
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle(test.note), WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 64);  // 48 points at 96 DPI
}

TEST(Window, LabelsAlignLeftOrCentreAndShowAmpersands) {
  TestWindow test;
  const auto style = [&] { return GetWindowLongPtrW(handle(test.note), GWL_STYLE); };
  EXPECT_EQ(style() & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
  EXPECT_TRUE(style() & SS_NOPREFIX);
  test.note.set_alignment(ui::Align::centre);
  EXPECT_EQ(style() & SS_TYPEMASK, SS_CENTER);
  EXPECT_TRUE(style() & SS_NOPREFIX);
  test.note.set_alignment(ui::Align::left);
  EXPECT_EQ(style() & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
}

TEST(Window, ButtonsArePlainPushButtons) {
  TestWindow test;
  const auto style = GetWindowLongPtrW(handle(test.first), GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_TRUE(style & BS_MULTILINE);
}

TEST(Window, PictureBoxDrawsTheRestPictureAtTheTopLeft) {
  TestWindow test;
  COLORREF inside = 0;
  COLORREF outside = 0;
  Script script({[&] { test.picture.set_visible(true); },
                 [&] {
                   UpdateWindow(handle(test.picture));
                   HDC dc = GetDC(handle(test.picture));
                   inside = GetPixel(dc, 75, 56);    // the middle of the face
                   outside = GetPixel(dc, 150, 50);  // past the picture's last column
                   ReleaseDC(handle(test.picture), dc);
                   test.window.hide();
                 }});
  test.window.show_modal();
  EXPECT_GT(GetRValue(inside), 200);  // yellow
  EXPECT_GT(GetGValue(inside), 180);
  EXPECT_LT(GetBValue(inside), 120);
  EXPECT_EQ(outside, GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace lv::test
