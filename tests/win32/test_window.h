// A small window of the tests' own, with one control of each kind.
#pragma once

#include "platform/controls.h"

namespace lv::test {

struct TestWindow {
  TestWindow() {
    first.on_click = [this] { ++first_clicks; };
    second.on_click = [this] { ++second_clicks; };
  }

  ui::Window window{"test", "Proefvenster", {0, 0, 6000, 3000}, ui::Background::standard};
  ui::Label prompt{window, "prompt", {150, 150, 1500, 255}, "Naam"};
  ui::EditField field{window, "field", {1800, 150, 1500, 285}};
  ui::Button first{window, "first", {150, 900, 1500, 495}, "&Eerste"};
  ui::PictureBox picture{window, "picture", {1800, 900, 2295, 1695}, "rest_picture", false};
  ui::Button second{window, "second", {4200, 900, 1500, 495}, "&Tweede"};
  ui::Label note{window, "note", {150, 2400, 1500, 255}, "", false};
  int first_clicks = 0;
  int second_clicks = 0;
};

}  // namespace lv::test
