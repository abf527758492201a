// The settings window: the start interval and the speed step, then "&Start" or "&Einde".
#pragma once

#include "platform/controls.h"

namespace lv {

class frm_hoofd {
 public:
  frm_hoofd();

  // Positions and sizes in twips; creation order is the focus order.
  ui::Window window{"frm_hoofd", "Form1", {0, 0, 5535, 2880}, ui::Background::standard};
  ui::Label Label1{window, "Label1", {240, 360, 1600, 255}, "Geef start interval"};
  ui::EditField txt_start{window, "txt_start", {2040, 360, 1575, 285}};
  ui::Label Label2{window, "Label2", {240, 960, 1600, 255}, "Geef versnelling"};
  ui::EditField txt_speed{window, "txt_speed", {2040, 960, 1575, 285}};
  ui::Label Label3{window, "Label3", {3840, 360, 1215, 255}, "Mili seconden"};
  ui::Label Label4{window, "Label4", {3840, 960, 1215, 255}, "Mili seconden"};
  ui::Button cmd_start{window, "cmd_start", {240, 2160, 1695, 495}, "&Start"};
  ui::Button cmd_exit{window, "cmd_exit", {3600, 2160, 1695, 495}, "&Einde"};

 private:
  void Form_Load();
  void cmd_start_Click();
  void cmd_exit_Click();
};

}  // namespace lv
