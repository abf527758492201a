// Which keys press which buttons, in a classroom where a child may lean on a key: written once
// for every backend, which feeds the rules each key as its toolkit saw it and does what they say.
//
// Alt with a letter presses the button that letter marks in the window the key reached; the
// letter alone presses nothing. There is no default and no cancel button: Enter presses the
// focused button as it goes down, Space as it comes up after going down on that same button,
// Escape presses nothing. A key acts only in the window it went down in, and never by its
// repeats: held on from one window into the next (the next opened meanwhile), it does nothing
// there, not even when it comes up.
#pragma once

#include <cstdint>
#include <map>

namespace lv::ui {

enum class KeyName { enter, space, escape, tab, letter, other };

struct KeyStroke {
  enum class Motion { down, repeat, up };
  // As the toolkit knows it: a key may come up where the program does not see it (in a loop of
  // the system's own), so only the toolkit can tell a fresh press from a repeat.
  Motion motion;
  int code;  // the toolkit's own number for the key, the same for its down, repeats and up
  KeyName name;
  char letter;  // for a letter: 'a' to 'z', whatever the keyboard's layout makes of it
  bool alt;
  std::uintptr_t window;  // the top-level window the key reached, by the toolkit's own handle
};

class KeyRules {
 public:
  enum class Press { nothing, focused, mnemonic };
  struct Outcome {
    bool toolkit;  // the toolkit's own business (typing, Tab, Alt+F4): it goes on and sees it
    Press press;   // the focused button, or the button the letter marks
  };
  // What the key found in the window it reached.
  struct Target {
    // The program's own window; in any other (a toolkit's message box) the rules only keep out
    // keys held on from elsewhere.
    bool governed;
    std::uintptr_t focus;  // what has the focus there, by a handle of the backend's own
    bool focus_is_button;
    bool letter_marks_button;  // for Alt with a letter: a shown button there is marked with it
  };

  Outcome take(const KeyStroke& stroke, const Target& target);

  // No key is held any more: for a fresh run of the program in the same process.
  void forget() { down_.clear(); }

 private:
  struct Down {
    std::uintptr_t window;  // where it went down
    std::uintptr_t focus;   // and on what
    bool toolkit;           // whether the toolkit saw it go down, and so sees it come up
  };
  static Outcome went_down(const KeyStroke& stroke, const Target& target);

  std::map<int, Down> down_;  // the keys that are down, by code
};

}  // namespace lv::ui
