// The part of the user (user.h) that is the same on every real toolkit, where the program runs on
// the main thread as it does for a user and the story beside it on a thread of its own.
#pragma once

#include <functional>

namespace lv::user {

// Runs the program from Main on this thread and `story` on a thread of its own, and serves the
// story's looks with `serve` (one turn of the toolkit's events) once the program is over, until
// the story is. Whatever the story leaves running is ended.
void run_beside_the_program(const std::function<void()>& story, const std::function<void()>& serve);

}  // namespace lv::user
