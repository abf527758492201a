// What a backend supplies: one folder of platform/, linked in place of the others, that puts the
// program on one toolkit. Everything the toolkits share is written once beside this header; a
// backend holds only what its toolkit forces on it.
//
// A backend defines:
//   - the classes of controls.h: Toolkit, Window, Control::Impl and the four kinds of control,
//     with show_error, decimal_separator and clock_value. Each adds its windows and controls to
//     the program (program.h) as it makes them and removes them as they go, turns twips into its
//     pixels (screen_fit.h), and runs every handler through program().run;
//   - its keys: each key as the toolkit saw it goes to program().key, which presses what the key
//     rules (key_rules.h) say and tells whether the toolkit should see the key too;
//   - its alarm: TickClock::now() on the clock its native timers run on (tick_clock.h), and
//     make_alarm() (paced_timer.h). Timer itself is written once, over the shared pacer;
//   - the functions below.
// A backend whose modal waits run the program's own loop (event_loop.h) also defines take_turn.
#pragma once

namespace lv::ui::backend {

// end_program has stopped every timer and hidden every window: leave whatever loops the toolkit
// runs, so that every waiting show_modal returns.
void program_ended();

// One turn of the toolkit's own events for the program's loop: with `wait`, waits for a timer's
// alarm or for input and runs what came; without, runs whatever is there and returns at once.
void take_turn(bool wait);

}  // namespace lv::ui::backend
