// The keyboard as in a dialog box, without a default or a cancel button.
#include <gtest/gtest.h>

#include "tests/win32/script.h"
#include "tests/win32/test_window.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

TEST(Keyboard, TheFirstFocusableControlHasTheFocusWithItsTextSelected) {
  TestWindow test;
  test.field.set_text("2000");
  DWORD start = 1;
  DWORD end = 0;
  Script script({[&] {
    EXPECT_TRUE(has_focus(test.field));
    SendMessageW(handle(test.field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    test.window.hide();
  }});
  test.window.show_modal();
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
}

TEST(Keyboard, TabFollowsCreationOrderAndTakesThePictureOnlyWhileShown) {
  TestWindow test;
  Script script({[&] { press(VK_TAB); },
                 [&] {
                   EXPECT_TRUE(has_focus(test.first));
                   press(VK_TAB);
                 },
                 [&] {
                   EXPECT_TRUE(has_focus(test.second));  // the hidden picture is passed over
                   press(VK_TAB);
                 },
                 [&] {
                   EXPECT_TRUE(has_focus(test.field));  // round again; labels never take it
                   test.picture.set_visible(true);
                   press(VK_TAB);
                   press(VK_TAB);
                 },
                 [&] {
                   EXPECT_TRUE(has_focus(test.picture));
                   test.picture.set_visible(false);
                   EXPECT_TRUE(has_focus(test.second));  // hiding it passes the focus on
                   test.window.hide();
                 }});
  test.window.show_modal();
  EXPECT_TRUE(script.finished());
}

TEST(Keyboard, EnterAndEscapeInAnEditFieldPressNothing) {
  TestWindow test;
  Script script({[&] {
                   press(VK_RETURN);
                   press(VK_ESCAPE);
                   type("12");
                 },
                 [&] {
                   EXPECT_TRUE(test.window.visible());
                   EXPECT_TRUE(has_focus(test.field));
                   EXPECT_EQ(test.field.text(), "12");  // no stray characters either
                   test.window.hide();
                 }});
  test.window.show_modal();
  EXPECT_EQ(test.first_clicks + test.second_clicks, 0);
}

TEST(Keyboard, EnterOrSpacePressesTheFocusedButtonOnly) {
  TestWindow test;
  Script script({[&] { press(VK_TAB); }, [&] { press(VK_RETURN); },
                 [&] {
                   EXPECT_EQ(test.first_clicks, 1);
                   press(VK_SPACE);
                 },
                 [&] {
                   EXPECT_EQ(test.first_clicks, 2);
                   press(VK_ESCAPE);
                 },
                 [&] { test.window.hide(); }});
  test.window.show_modal();
  EXPECT_EQ(test.first_clicks, 2);
  EXPECT_EQ(test.second_clicks, 0);
}

TEST(Keyboard, AltWithTheMarkedLetterPressesItsButtonFromAnywhere) {
  TestWindow test;
  Script script({[&] { press_alt('t'); },
                 [&] {
                   EXPECT_EQ(test.second_clicks, 1);
                   press_alt('E');
                 },
                 [&] {
                   EXPECT_EQ(test.first_clicks, 1);
                   press_alt('x');  // marks no button
                 },
                 [&] { test.window.hide(); }});
  test.window.show_modal();
  EXPECT_EQ(test.first_clicks, 1);
  EXPECT_EQ(test.second_clicks, 1);
}

TEST(Keyboard, ABareLetterPressesNoButtonOnlyAltWithItDoes) {
  TestWindow test;
  Script script({[&] { press(VK_TAB); },
                 [&] {
                   ASSERT_TRUE(has_focus(test.first));
                   type("tTeE");
                 },
                 [&] {
                   EXPECT_EQ(test.first_clicks, 0);
                   EXPECT_EQ(test.second_clicks, 0);
                   press_alt('t');
                 },
                 [&] {
                   EXPECT_EQ(test.second_clicks, 1);
                   test.window.hide();
                 }});
  test.window.show_modal();
  EXPECT_TRUE(script.finished());
}

}  // namespace
}  // namespace lv::test
