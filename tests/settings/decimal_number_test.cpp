#include "settings/file/decimal_number.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr unsigned kPerson = DecimalBlanksAround | DecimalSigned;

struct Row {
  const char* text;
  unsigned form;
  DecimalCheck check;
  bool negative;
  std::uint32_t number;
  std::size_t digits;
};

TEST(DecimalNumber, EachFormAcceptsOnlyWhatItAllows) {
  using C = DecimalCheck;
  const Row rows[] = {
      {"0", DecimalDigitsOnly, C::Valid, false, 0, 1},
      {"0004294967295", DecimalDigitsOnly, C::Valid, false, 4294967295u, 13},
      {"4294967296", DecimalDigitsOnly, C::TooLarge, false, 0, 10},
      {"99999999999999999999999", DecimalDigitsOnly, C::TooLarge, false, 0, 23},
      {"9999999999999x", DecimalDigitsOnly, C::NotANumber, false, 0, 0},  // not a number wins
      {"", DecimalDigitsOnly, C::NotANumber, false, 0, 0},
      {" 5", DecimalDigitsOnly, C::NotANumber, false, 0, 0},
      {"+5", DecimalDigitsOnly, C::NotANumber, false, 0, 0},
      {"5 ", DecimalSigned, C::NotANumber, false, 0, 0},
      {"-7", DecimalSigned, C::Valid, true, 7, 1},
      {" \t\r\n+12\n\r\t ", kPerson, C::Valid, false, 12, 2},
      {"  -0 ", kPerson, C::Valid, true, 0, 1},
      {"-", kPerson, C::NotANumber, true, 0, 0},
      {"   ", kPerson, C::NotANumber, false, 0, 0},
      {"--1", kPerson, C::NotANumber, true, 0, 0},
      {"+ 1", kPerson, C::NotANumber, false, 0, 0},
      {"1 2", kPerson, C::NotANumber, false, 0, 0},
      {"0x10", kPerson, C::NotANumber, false, 0, 0},
      {"1e3", kPerson, C::NotANumber, false, 0, 0},
  };
  for (const Row& row : rows) {
    const DecimalNumber read = readDecimalNumber(row.text, std::strlen(row.text), row.form);
    EXPECT_EQ(read.check, row.check) << '"' << row.text << '"';
    EXPECT_EQ(read.negative, row.negative) << '"' << row.text << '"';
    EXPECT_EQ(read.number, row.number) << '"' << row.text << '"';
    EXPECT_EQ(read.digits, row.digits) << '"' << row.text << '"';
  }
  // Only `length` characters are read.
  EXPECT_EQ(readDecimalNumber("123", 2, DecimalDigitsOnly).number, 12u);
}

}  // namespace
