#include "settings/number_field.h"

#include <cstddef>
#include <variant>

namespace lv {

namespace {

// A pasted essay is not quoted back whole.
std::string quoted(const std::string& text) {
  constexpr std::size_t kMostShown = 30;
  if (text.size() <= kMostShown) return "\"" + text + "\"";
  std::size_t cut = kMostShown;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    --cut;  // keep UTF-8 whole
  return "\"" + text.substr(0, cut) + "...\"";
}

std::string what_is_wrong(const std::string& text, NumberError error) {
  switch (error) {
    case NumberError::empty:
      return "is leeg.";
    case NumberError::not_a_number:
      return "bevat " + quoted(text) + ", en dat is geen getal.";
    case NumberError::too_large:
      return "bevat " + quoted(text) + ", en dat getal is te groot.";
    case NumberError::too_small:
      return "bevat " + quoted(text) + ", en dat getal is te klein.";
  }
  return {};
}

}  // namespace

std::string number_error_message(const std::string& prompt, const std::string& text,
                                 NumberError error) {
  return "Het veld \"" + prompt + "\" " + what_is_wrong(text, error) +
         "\n\nVul een geheel aantal milliseconden in, bijvoorbeeld 2000 "
         "(van -2147483648 tot en met 2147483647).";
}

std::optional<std::int32_t> read_number_field(ui::EditField& field, const std::string& prompt) {
  const std::string text = field.text();
  const auto number = parse_whole_number(text, ui::decimal_separator());
  if (const auto* value = std::get_if<std::int32_t>(&number)) return *value;
  ui::show_error("Lettervonk", number_error_message(prompt, text, std::get<NumberError>(number)));
  field.focus_with_text_selected();
  return std::nullopt;
}

}  // namespace lv
