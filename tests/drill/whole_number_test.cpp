#include "settings/whole_number.h"

#include <gtest/gtest.h>

#include <variant>

namespace lv {
namespace {

std::variant<std::int32_t, NumberError> read(std::string_view text, std::string_view sep = ".") {
  return parse_whole_number(text, sep);
}

using Result = std::variant<std::int32_t, NumberError>;

TEST(WholeNumber, ReadsPlainNumbersWithBlanksAndSigns) {
  EXPECT_EQ(read("2000"), Result{2000});
  EXPECT_EQ(read("  100\t "), Result{100});
  EXPECT_EQ(read("+7"), Result{7});
  EXPECT_EQ(read("-250"), Result{-250});
  EXPECT_EQ(read("0"), Result{0});
  EXPECT_EQ(read("-0"), Result{0});
  EXPECT_EQ(read("007"), Result{7});
}

TEST(WholeNumber, RoundsFractionsToTheNearestWithHalvesToEven) {
  EXPECT_EQ(read("2.5"), Result{2});
  EXPECT_EQ(read("3.5"), Result{4});
  EXPECT_EQ(read("-2.5"), Result{-2});
  EXPECT_EQ(read("-3.5"), Result{-4});
  EXPECT_EQ(read("0.5"), Result{0});
  EXPECT_EQ(read("2.50001"), Result{3});
  EXPECT_EQ(read("2.4999"), Result{2});
  EXPECT_EQ(read("1999.7"), Result{2000});
  EXPECT_EQ(read(".5"), Result{0});
  EXPECT_EQ(read("12."), Result{12});
}

TEST(WholeNumber, TakesOnlyTheUsersDecimalSeparator) {
  EXPECT_EQ(read("2,5", ","), Result{2});
  EXPECT_EQ(read("1999,7", ","), Result{2000});
  EXPECT_EQ(read("2.5", ","), Result{NumberError::not_a_number});
  EXPECT_EQ(read("2,5", "."), Result{NumberError::not_a_number});
  EXPECT_EQ(read("3\u066B5", "\u066B"), Result{4});  // a separator of more than one byte
}

TEST(WholeNumber, RefusesEverythingElse) {
  EXPECT_EQ(read(""), Result{NumberError::empty});
  EXPECT_EQ(read("   "), Result{NumberError::empty});
  for (const char* text : {"abc", "12a", "a12", "1 000", "1e3", "0x10", "-", "+", ".", "- 5", "5-",
                           "++5", "1.2.3", "2000ms"}) {
    EXPECT_EQ(read(text), Result{NumberError::not_a_number}) << text;
  }
}

TEST(WholeNumber, KeepsToTheThirtyTwoBitRange) {
  EXPECT_EQ(read("2147483647"), Result{2147483647});
  EXPECT_EQ(read("-2147483648"), Result{INT32_MIN});
  EXPECT_EQ(read("2147483648"), Result{NumberError::too_large});
  EXPECT_EQ(read("-2147483649"), Result{NumberError::too_small});
  EXPECT_EQ(read("2147483647.5"), Result{NumberError::too_large});  // rounds to ...648
  EXPECT_EQ(read("2147483646.5"), Result{2147483646});
  EXPECT_EQ(read("99999999999999999999999999999"), Result{NumberError::too_large});
  EXPECT_EQ(read("-99999999999999999999999999999"), Result{NumberError::too_small});
}

}  // namespace
}  // namespace lv
