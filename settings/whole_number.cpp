#include "settings/whole_number.h"

#include <cstddef>
#include <limits>

namespace lv {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view take_digits(std::string_view& text) {
  std::size_t n = 0;
  while (n < text.size() && is_digit(text[n])) ++n;
  std::string_view digits = text.substr(0, n);
  text.remove_prefix(n);
  return digits;
}

// Whether the fraction rounds the whole part up: above a half always, exactly a half only
// when the whole part is odd.
bool rounds_up(std::string_view fraction, bool whole_is_odd) {
  if (fraction.empty() || fraction.front() < '5') return false;
  if (fraction.front() > '5') return true;
  for (char c : fraction.substr(1)) {
    if (c != '0') return true;
  }
  return whole_is_odd;
}

}  // namespace

std::variant<std::int32_t, NumberError> parse_whole_number(std::string_view text,
                                                           std::string_view decimal_separator) {
  text = trim_blanks(text);
  if (text.empty()) return NumberError::empty;

  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::string_view whole = take_digits(text);
  std::string_view fraction;
  if (!decimal_separator.empty() && text.substr(0, decimal_separator.size()) == decimal_separator) {
    text.remove_prefix(decimal_separator.size());
    fraction = take_digits(text);
  }
  if (!text.empty() || (whole.empty() && fraction.empty())) return NumberError::not_a_number;

  // The magnitude is built in 64 bits and stops growing once it is past any 32-bit value, so
  // any number of digits is safe.
  constexpr std::int64_t kBeyond = std::int64_t{1} << 32;
  std::int64_t magnitude = 0;
  for (char c : whole) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kBeyond) magnitude = kBeyond;
  }
  if (rounds_up(fraction, magnitude % 2 == 1)) ++magnitude;

  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return NumberError::too_large;
  if (value < std::numeric_limits<std::int32_t>::min()) return NumberError::too_small;
  return static_cast<std::int32_t>(value);
}

}  // namespace lv
