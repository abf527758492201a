// Whole numbers as the settings window reads them from its edit fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace lv {

enum class NumberError {
  empty,         // nothing but blanks
  not_a_number,  // any character outside the accepted form
  too_large,     // beyond the 32-bit signed range
  too_small,
};

// Accepts blanks around the number, an optional sign, decimal digits and an optional fraction
// after the user's decimal separator. The fraction rounds to the nearest whole number, a half
// going to the even neighbour (2.5 gives 2, 3.5 gives 4).
std::variant<std::int32_t, NumberError> parse_whole_number(std::string_view text,
                                                           std::string_view decimal_separator);

}  // namespace lv
