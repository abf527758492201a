// Reading a whole number of milliseconds from an edit field, with a second chance on a typo.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "settings/whole_number.h"

namespace lv {

// The message that explains why the text in the field called `prompt` was not taken.
std::string number_error_message(const std::string& prompt, const std::string& text,
                                 NumberError error);

// The field's number; or, when its text does not convert, nothing, after the user has been
// told why and the field has the focus with its text selected for correcting.
std::optional<std::int32_t> read_number_field(ui::EditField& field, const std::string& prompt);

}  // namespace lv
