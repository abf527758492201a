// A fresh run of the program on the headless desktop for every test.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

#include "exercise/frm_werk.h"
#include "platform/headless/headless.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "startup/module1.h"

namespace lv::testing {

// A control's expected place in twips and whether it shows.
struct Placed {
  const ui::Control& control;
  ui::Twips place;
  bool shown;
};

inline void expect_layout(std::initializer_list<Placed> layout) {
  for (const Placed& e : layout) {
    const ui::Twips p = headless::place(e.control);
    EXPECT_EQ(std::tie(p.left, p.top, p.width, p.height),
              std::tie(e.place.left, e.place.top, e.place.width, e.place.height))
        << e.control.name();
    EXPECT_EQ(e.control.visible(), e.shown) << e.control.name();
  }
}

class DrillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::unload_all();
    headless::reset();
    Main();
  }
  void TearDown() override { forms::unload_all(); }

  static frm_hoofd& hoofd() { return forms::hoofd(); }
  static frm_werk& werk() { return forms::werk(); }

  // Types both settings and presses "&Start".
  static void start(const std::string& interval, const std::string& step = "100") {
    headless::type(hoofd().txt_start, interval);
    headless::type(hoofd().txt_speed, step);
    headless::click(hoofd().cmd_start);
  }

  // Lets n ticks of the 10 ms pacing timer pass.
  static void ticks(int n) { headless::advance(10 * std::int64_t{n}); }
};

}  // namespace lv::testing
