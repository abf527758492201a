// Fuzzes the reader of the settings window's numbers against a second reading of the same rule,
// written here without the reader's shortcuts: blanks (space, tab) around the number, an optional
// sign, digits, optionally the user's decimal separator and more digits, a fraction rounded half to
// even, the result within 32 bits, and any other text an error.
//
// The first byte of an input picks the decimal separator; the rest is the field's text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <variant>

#include "settings/whole_number.h"

namespace {

using lv::NumberError;
using Reading = std::variant<std::int32_t, NumberError>;

constexpr std::string_view kSeparators[] = {".", ",", "\xD9\xAB"};  // the last is Arabic's

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

Reading reference(std::string_view text, std::string_view separator) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  const std::string_view s = text.substr(first, last - first);
  if (s.empty()) return NumberError::empty;

  std::size_t at = 0;
  const bool negative = s[0] == '-';
  if (s[0] == '-' || s[0] == '+') ++at;
  std::string whole;
  while (at < s.size() && is_digit(s[at])) whole += s[at++];
  std::string fraction;
  if (s.substr(at, separator.size()) == separator) {
    at += separator.size();
    while (at < s.size() && is_digit(s[at])) fraction += s[at++];
  }
  if (at != s.size() || (whole.empty() && fraction.empty())) return NumberError::not_a_number;

  const NumberError out_of_range = negative ? NumberError::too_small : NumberError::too_large;
  const std::size_t significant = whole.find_first_not_of('0');
  const std::string digits = significant == std::string::npos ? "" : whole.substr(significant);
  if (digits.size() > 10) return out_of_range;
  std::int64_t magnitude = digits.empty() ? 0 : std::stoll(digits);
  if (!fraction.empty()) {
    // Of two digit strings of one length, the larger number sorts last.
    const int against_half = fraction.compare("5" + std::string(fraction.size() - 1, '0'));
    if (against_half > 0 || (against_half == 0 && magnitude % 2 == 1)) ++magnitude;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return out_of_range;
  }
  return static_cast<std::int32_t>(value);
}

std::string describe(const Reading& reading) {
  if (const auto* value = std::get_if<std::int32_t>(&reading)) return std::to_string(*value);
  const char* names[] = {"empty", "not a number", "too large", "too small"};
  return names[static_cast<int>(std::get<NumberError>(reading))];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view separator = kSeparators[data[0] % std::size(kSeparators)];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const Reading got = lv::parse_whole_number(text, separator);
  const Reading wanted = reference(text, separator);
  if (got != wanted) {
    std::fprintf(stderr, "read as %s, but the rule gives %s\n", describe(got).c_str(),
                 describe(wanted).c_str());
    std::abort();
  }
  return 0;
}
