#include "platform/key_rules.h"

namespace lv::ui {

KeyRules::Outcome KeyRules::went_down(const KeyStroke& stroke, const Target& target) {
  if (!target.governed) return {true, Press::nothing};
  if (stroke.alt) {
    // Alt with any other key (Space for the system menu, F4) is the system's.
    if (stroke.name == KeyName::letter && target.letter_marks_button) {
      return {false, Press::mnemonic};
    }
    return {true, Press::nothing};
  }
  switch (stroke.name) {
    case KeyName::enter:
      return {false, target.focus_is_button ? Press::focused : Press::nothing};
    case KeyName::escape:
      return {false, Press::nothing};
    case KeyName::space:
      // On a button it presses as it comes up; in a field it is a blank typed.
      return {!target.focus_is_button, Press::nothing};
    case KeyName::tab:
    case KeyName::letter:
    case KeyName::other:
      break;
  }
  return {true, Press::nothing};  // typed, or Tab; a letter alone presses nothing
}

KeyRules::Outcome KeyRules::take(const KeyStroke& stroke, const Target& target) {
  if (stroke.motion == KeyStroke::Motion::down) {
    const Outcome outcome = went_down(stroke, target);
    down_[stroke.code] = {stroke.window, target.focus, outcome.toolkit};
    return outcome;
  }
  const auto held = down_.find(stroke.code);
  const bool is_down = held != down_.end();
  // Held on from another window, or from before the program saw it go down: nothing here.
  if (!is_down || held->second.window != stroke.window) {
    if (stroke.motion == KeyStroke::Motion::up && is_down) down_.erase(held);
    return {false, Press::nothing};
  }
  const Down down = held->second;
  if (stroke.motion != KeyStroke::Motion::up) return {down.toolkit, Press::nothing};
  down_.erase(held);
  const bool space_on_its_button = target.governed && stroke.name == KeyName::space &&
                                   !down.toolkit && target.focus_is_button &&
                                   target.focus == down.focus;
  return {down.toolkit, space_on_its_button ? Press::focused : Press::nothing};
}

}  // namespace lv::ui
