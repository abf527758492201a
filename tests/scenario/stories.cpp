// The user's stories, told once and run on every desktop backend: the headless desktop, Qt and
// Win32 each supply the user (user.h) and run them all. What a user does, what a user sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <vector>

#include "tests/scenario/drill_windows.h"

namespace lv {
namespace {

using user::Change;
using user::Key;

using user::ended;
using user::exercise_ready;
using user::hoofd;
using user::settings_ready;
using user::werk;

bool focus_on(const ui::Control& control) {
  return user::see([&] { return user::focused() == &control; });
}

// Types both values over the settings window's own, as a teacher does before "Start".
void type_settings(const std::string& interval, const std::string& step) {
  ASSERT_TRUE(user::wait_until(settings_ready));
  user::type(interval);
  user::press(Key::tab);
  user::type(step);
}

bool syllable_shown() {
  return werk().txt_string.visible();
}
bool picture_shown() {
  return werk().Picture1.visible();
}

TEST(Story, TheSettingsWindowOpensReadyWithItsValuesAndTheFocusInTheFirstField) {
  user::run_program([] {
    ASSERT_TRUE(user::wait_until(settings_ready));
    user::look([] {
      EXPECT_EQ(hoofd().window.caption(), "Form1");
      EXPECT_EQ(hoofd().Label1.text(), "Geef start interval");
      EXPECT_EQ(hoofd().Label2.text(), "Geef versnelling");
      EXPECT_EQ(hoofd().Label3.text(), "Mili seconden");
      EXPECT_EQ(hoofd().Label4.text(), "Mili seconden");
      EXPECT_EQ(hoofd().cmd_start.caption(), "&Start");
      EXPECT_EQ(hoofd().cmd_exit.caption(), "&Einde");
      EXPECT_EQ(hoofd().txt_start.text(), "2000");
      EXPECT_EQ(hoofd().txt_speed.text(), "100");
      EXPECT_TRUE(user::text_selected(hoofd().txt_start));
    });
    // Tab goes round in reading order, past the texts.
    for (const ui::Control* next : std::vector<const ui::Control*>{
             &hoofd().txt_speed, &hoofd().cmd_start, &hoofd().cmd_exit, &hoofd().txt_start}) {
      user::press(Key::tab);
      EXPECT_TRUE(focus_on(*next)) << next->name();
    }
    // There is no default and no cancel button: Enter and Escape in a field press nothing.
    user::press(Key::enter);
    user::press(Key::escape);
    user::look([] {
      EXPECT_TRUE(hoofd().window.visible());
      EXPECT_FALSE(ended());
      EXPECT_EQ(user::focused(), &hoofd().txt_start);
    });
    // Closed through its title bar, the settings window goes, and the run with it.
    user::close(hoofd().window);
    EXPECT_TRUE(user::wait_until([] { return !hoofd().window.visible(); }));
  });
}

TEST(Story, ATypoGetsAMessageNamingItsFieldAndASecondChance) {
  user::run_program([] {
    ASSERT_TRUE(user::wait_until(settings_ready));
    user::type("20x0");
    user::press_alt('s');
    const std::string message = user::answer_message();
    EXPECT_NE(message.find("Geef start interval"), std::string::npos) << message;
    EXPECT_NE(message.find("\"20x0\""), std::string::npos) << message;
    EXPECT_NE(message.find("milliseconden"), std::string::npos) << message;
    // The field comes back to be typed over; nothing else has changed.
    ASSERT_TRUE(user::wait_until([] {
      return user::focused() == &hoofd().txt_start && user::text_selected(hoofd().txt_start);
    }));
    user::look([] {
      EXPECT_TRUE(hoofd().window.visible());
      EXPECT_FALSE(werk().window.visible());
      EXPECT_EQ(hoofd().txt_start.text(), "20x0");
      EXPECT_EQ(hoofd().txt_speed.text(), "100");
    });
    user::type("200");
    // A typo in the second field is named in its turn.
    user::press(Key::tab);
    user::type("1OO");
    user::press_alt('s');
    const std::string second = user::answer_message();
    EXPECT_NE(second.find("Geef versnelling"), std::string::npos) << second;
    ASSERT_TRUE(user::wait_until([] {
      return user::focused() == &hoofd().txt_speed && user::text_selected(hoofd().txt_speed);
    }));
    user::type("100");
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until([] { return exercise_ready() && syllable_shown(); }));
    EXPECT_EQ(user::see([] { return werk().Label1.text(); }), "200");
  });
}

TEST(Story, AltSOpensTheExerciseWindowWithEindeFocused) {
  user::run_program([] {
    ASSERT_TRUE(user::wait_until(settings_ready));
    user::press_alt('s');
    // Looked at as it opens, a second before its first syllable.
    ASSERT_TRUE(user::wait_until(exercise_ready));
    user::look([] {
      const frm_werk& w = werk();
      EXPECT_EQ(w.window.caption(), "Lettervonk");
      EXPECT_EQ(w.cmd_exit.caption(), "&Einde");
      EXPECT_EQ(w.Command1.caption(), "versnel        100 msec");
      EXPECT_EQ(w.Command2.caption(), "vertraag      100 msec");
      EXPECT_EQ(w.Label4.text(), "reeks");
      EXPECT_EQ(w.Label5.text(), "tijd");
      EXPECT_EQ(w.Label1.text(), "");
      EXPECT_EQ(w.Label3.text(), "");
      EXPECT_FALSE(w.txt_string.visible());
      EXPECT_FALSE(w.Picture1.visible());
    });
    // Tab passes the hidden rest picture by; Escape presses nothing.
    for (const ui::Control* next :
         std::vector<const ui::Control*>{&werk().Command1, &werk().Command2, &werk().cmd_exit}) {
      user::press(Key::tab);
      EXPECT_TRUE(focus_on(*next)) << next->name();
    }
    user::press(Key::escape);
    EXPECT_TRUE(user::see([] { return exercise_ready(); }));
  });
}

// ---- the rhythm

const std::regex kSyllable(
    "(b|d|f|g|h|j|k|l|m|n|p|r|s|t|v|w|z)(a|e|i|o|u|ui|eu|aa|oo|ie|ei|au|ee|uu|ij|ou)");

// Checks `full` series and their rests, and the first syllable after them, against the drill's
// rules as the user sees them: ten syllables shown and hidden every half interval, then the rest
// picture, 3.5 s, or 5.5 s after every third series, after which the interval shortens by the
// step, never below the step. "reeks" counts 1, 2, 3, 1; "tijd" reads the interval. No change may
// come before its time on the schedule begun at `origin`, a moment before the drill started;
// each may come late.
void expect_rhythm(const std::vector<Change>& changes, double origin, int interval, int step,
                   int full) {
  std::size_t next = 0;
  double start = origin;  // of the series under way, as early as it may be
  for (int series = 0; series <= full; ++series) {
    const int steps = series < full ? 21 : 1;
    for (int k = 1; k <= steps; ++k, ++next) {
      ASSERT_LT(next, changes.size()) << "series " << series + 1 << ", step " << k;
      const Change& change = changes[next];
      const bool rest = k == 21;
      const std::string where = "series " + std::to_string(series + 1) + ", step " +
                                std::to_string(k) + " at " + std::to_string(change.at_ms);
      EXPECT_EQ(change.what, rest ? Change::What::picture : Change::What::syllable) << where;
      EXPECT_EQ(change.shown, rest || k % 2 == 1) << where;
      EXPECT_GE(change.at_ms, start + k * interval / 2.0) << where << ": before its time";
      if (change.what == Change::What::syllable && change.shown) {
        EXPECT_TRUE(std::regex_match(change.syllable, kSyllable))
            << where << ": " << change.syllable;
        EXPECT_EQ(change.reeks, std::to_string(series % 3 + 1)) << where;
        EXPECT_EQ(change.tijd, std::to_string(interval)) << where;
      }
    }
    if (series == full) break;
    ASSERT_LT(next, changes.size()) << "the end of rest " << series + 1;
    const Change& end = changes[next++];
    EXPECT_EQ(end.what, Change::What::picture);
    EXPECT_FALSE(end.shown);
    const bool long_rest = series % 3 == 2;
    const int rest = long_rest ? 5500 : 3500;
    const double lasted = end.at_ms - changes[next - 2].at_ms;
    // Timed from the step that began it, which may itself have come up to a tick late.
    EXPECT_GE(lasted, rest - 10) << "rest " << series + 1;
    if (!long_rest) {
      EXPECT_LT(lasted, 5500) << "rest " << series + 1 << " is a short one";
    }
    start += 21 * interval / 2.0 + rest;
    EXPECT_GE(end.at_ms, start) << "rest " << series + 1 << " ended before its time";
    if (long_rest) interval = std::max(step, interval - step);
  }
}

TEST(Story, SeriesOfTenSyllablesRestsAndTheSpeedUpDownToItsFloor) {
  user::run_program([] {
    type_settings("40", "30");
    const user::Watch watch;
    const double origin = user::clock_ms();
    user::press_alt('s');
    // Three series at 40 ms, their rests, and the first syllable of the fourth: 40 less 30 is
    // below the floor, so at 30 ms.
    const auto rests_ended = [&] {
      const auto changes = watch.changes();
      return std::count_if(changes.begin(), changes.end(), [](const Change& c) {
        return c.what == Change::What::picture && !c.shown;
      });
    };
    // While the rest picture shows, it takes its turn after "Einde"; the focus moves on when it
    // goes.
    ASSERT_TRUE(user::wait_until(picture_shown));
    user::press(Key::tab);
    EXPECT_TRUE(focus_on(werk().Picture1));
    ASSERT_TRUE(user::wait_until([] { return !picture_shown(); }));
    EXPECT_TRUE(focus_on(werk().Command1));
    ASSERT_TRUE(user::wait_until([&] { return rests_ended() == 3 && syllable_shown(); }));
    expect_rhythm(watch.changes(), origin, 40, 30, 3);
  });
}

TEST(Story, ThePaceButtonsShortenAndLengthenTheInterval) {
  user::run_program([] {
    type_settings("1000", "100");
    user::press_alt('s');
    const auto tijd_reads = [](const char* interval) {
      return [interval] { return werk().Label1.text() == interval; };
    };
    ASSERT_TRUE(user::wait_until(tijd_reads("1000")));
    // Each click shows in "tijd" from the step after it on.
    user::click(werk().Command1);
    ASSERT_TRUE(user::wait_until(tijd_reads("900")));
    user::click(werk().Command2);
    user::click(werk().Command2);
    ASSERT_TRUE(user::wait_until(tijd_reads("1100")));
  });
}

TEST(Story, TheCloseBoxBringsTheSettingsBackAndStartBeginsAfresh) {
  user::run_program([] {
    type_settings("40", "30");
    std::vector<int> waits;
    for (int drill = 1; drill <= 3; ++drill) {
      const user::Watch watch;
      user::press_alt('s');
      ASSERT_TRUE(user::wait_until(exercise_ready)) << "drill " << drill;
      waits.push_back(user::see(user::waits_nested));
      // The first drill is closed while its syllables flash; the others at their first rest, when
      // everything has moved on.
      ASSERT_TRUE(user::wait_until(drill == 1 ? syllable_shown : picture_shown))
          << "drill " << drill;
      // Fresh, whatever the drill before had come to: the first syllable of the first series.
      const std::vector<Change> changes = watch.changes();
      const auto first = std::find_if(changes.begin(), changes.end(), [](const Change& c) {
        return c.what == Change::What::syllable && c.shown;
      });
      ASSERT_NE(first, changes.end()) << "drill " << drill;
      EXPECT_EQ(first->reeks, "1") << "drill " << drill;
      EXPECT_EQ(first->tijd, "40") << "drill " << drill;
      if (drill > 1) {
        // A whole first series, ten syllables shown and hidden before the rest picture.
        EXPECT_EQ(std::count_if(first, changes.end(),
                                [](const Change& c) { return c.what == Change::What::syllable; }),
                  20)
            << "drill " << drill;
      }
      user::close(werk().window);
      ASSERT_TRUE(user::wait_until([] {
        return hoofd().window.visible() && !werk().window.visible();
      })) << "drill "
          << drill;
      // Nothing of the drill goes on behind the settings, which keep what was typed.
      user::look([&] {
        EXPECT_FALSE(ended());
        EXPECT_FALSE(werk().Timer1.running()) << "drill " << drill;
        EXPECT_FALSE(werk().Timer2.running()) << "drill " << drill;
        EXPECT_EQ(hoofd().txt_start.text(), "40");
        EXPECT_EQ(hoofd().txt_speed.text(), "30");
      });
    }
    // Each drill waited as deep as the first: bringing the settings back nested nothing.
    EXPECT_EQ(std::count(waits.begin(), waits.end(), waits.front()), 3);
    user::press_alt('e');
    EXPECT_TRUE(user::wait_until(ended));
  });
}

TEST(Story, AHeldKeyABareLetterOrARepeatPressesNothingMore) {
  user::run_program([] {
    ASSERT_TRUE(user::wait_until(settings_ready));
    user::press(Key::tab);
    user::press(Key::tab);
    ASSERT_TRUE(focus_on(hoofd().cmd_start));
    // A letter alone is neither "&Einde" nor "&Start".
    user::press_letter('e');
    user::press_letter('s');
    user::look([] {
      EXPECT_FALSE(ended());
      EXPECT_TRUE(hoofd().window.visible());
      EXPECT_EQ(user::focused(), &hoofd().cmd_start);
    });
    // Space presses the focused button.
    user::press(Key::space);
    ASSERT_TRUE(user::wait_until(exercise_ready));
    user::close(werk().window);
    ASSERT_TRUE(user::wait_until([] { return user::focused() == &hoofd().cmd_start; }));
    // Enter goes down on "Start" and is held: it repeats and comes up in the exercise window, on
    // "Einde", which it must not press.
    user::hold(Key::enter);
    ASSERT_TRUE(user::wait_until(exercise_ready));
    user::repeat(Key::enter, 3);
    user::release(Key::enter);
    EXPECT_TRUE(user::see(exercise_ready));
    user::close(werk().window);
    ASSERT_TRUE(user::wait_until([] { return user::focused() == &hoofd().cmd_start; }));
    // Space goes down on "Start", Alt+S opens the exercise window, and Space comes up there.
    user::hold(Key::space);
    user::press_alt('s');
    ASSERT_TRUE(user::wait_until(exercise_ready));
    user::repeat(Key::space, 3);
    user::release(Key::space);
    EXPECT_TRUE(user::see(exercise_ready));
    // A press of its own still presses "Einde".
    user::press(Key::enter);
    EXPECT_TRUE(user::wait_until(ended));
  });
}

// "&Einde" ends the program from either window, whatever the drill is doing: `until` the
// moment, then `press` it.
void expect_einde_to_end_it(const std::function<bool()>& until,
                            const std::function<void()>& press) {
  user::run_program([&] {
    type_settings("40", "100");
    if (until) {
      user::press_alt('s');
      ASSERT_TRUE(user::wait_until(until));
    }
    press();
    ASSERT_TRUE(user::wait_until(ended));
    user::look([] {
      EXPECT_FALSE(hoofd().window.visible());
      EXPECT_FALSE(werk().window.visible());
      EXPECT_FALSE(werk().Timer1.running());
      EXPECT_FALSE(werk().Timer2.running());
    });
  });
}

TEST(Story, EindeEndsTheProgramFromEitherWindow) {
  expect_einde_to_end_it(nullptr, [] { user::press_alt('e'); });  // in the settings window
  expect_einde_to_end_it(syllable_shown, [] { user::click(werk().cmd_exit); });
  expect_einde_to_end_it(picture_shown, [] { user::press(Key::space); });  // focused, at a rest
}

}  // namespace
}  // namespace lv
