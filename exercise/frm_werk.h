// The exercise window: syllables flash in the middle, the rest picture between series, the pace
// buttons and the "reeks" and "tijd" readings at the bottom right.
#pragma once

#include "exercise/random_source.h"
#include "platform/controls.h"

namespace lv {

class frm_werk {
 public:
  frm_werk();

  // Sets the window up for a fresh drill, as a first "&Start" finds it: counters back at their
  // starting values, the readings empty, nothing in the middle, a first syllable drawn and the
  // pacing timer ticking.
  void begin_drill();

  // Positions and sizes in twips; creation order is the focus order.
  ui::Window window{"frm_werk", "Lettervonk", {0, 0, 15240, 11010}, ui::Background::active_border};
  ui::Button cmd_exit{window, "cmd_exit", {11400, 9120, 1695, 495}, "&Einde"};
  ui::Label txt_string{window, "txt_string", {5280, 4320, 3375, 1455}, "", false};
  ui::Label Label1{window, "Label1", {14280, 9840, 735, 255}, ""};       // current interval
  ui::Label Label2{window, "Label2", {3720, 960, 735, 255}, "", false};  // never used
  ui::Label Label3{window, "Label3", {14280, 9240, 735, 255}, ""};       // series number
  ui::PictureBox Picture1{window, "Picture1", {5760, 4200, 2295, 1695}, "rest_picture", false};
  ui::Label Label4{window, "Label4", {13440, 9240, 495, 255}, "reeks"};
  ui::Label Label5{window, "Label5", {13560, 9840, 375, 255}, "tijd"};
  ui::Button Command1{window, "Command1", {13560, 8280, 1215, 495}, "versnel        100 msec"};
  ui::Button Command2{window, "Command2", {13560, 7560, 1215, 495}, "vertraag      100 msec"};
  ui::Timer Timer1{window, "Timer1", 10, false};    // pacing, started by each drill
  ui::Timer Timer2{window, "Timer2", 3500, false};  // rest

 private:
  // Draws the next syllable into txt_string, shown or not.
  void Form_Load();
  void cmd_exit_Click();
  void Form_Close();

  // Pacing and the series cycle.
  void Timer1_Timer();
  void next_step();
  void Timer2_Timer();
  void Command1_Click();
  void Command2_Click();

  RandomSource random_;
};

}  // namespace lv
