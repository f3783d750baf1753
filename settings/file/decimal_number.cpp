#include "settings/file/decimal_number.h"

namespace {

bool isTextBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

void trimTextBlanks(const char*& begin, const char*& end) {
  while (begin < end && isTextBlank(*begin)) ++begin;
  while (end > begin && isTextBlank(end[-1])) --end;
}

DecimalNumber readDecimalNumber(const char* text, std::size_t length, unsigned form) {
  DecimalNumber result{DecimalCheck::NotANumber, false, 0, 0};
  const char* begin = text;
  const char* end = text + length;
  if ((form & DecimalBlanksAround) != 0) trimTextBlanks(begin, end);
  if ((form & DecimalSigned) != 0 && begin < end && (*begin == '+' || *begin == '-')) {
    result.negative = *begin == '-';
    ++begin;
  }
  if (begin == end) return result;

  // Counted in 64 bits and stopped once too large; the rest is still checked for digits.
  std::uint64_t number = 0;
  bool tooLarge = false;
  for (const char* c = begin; c < end; ++c) {
    if (*c < '0' || *c > '9') return result;
    if (!tooLarge) {
      number = number * 10 + static_cast<std::uint64_t>(*c - '0');
      tooLarge = number > 0xFFFFFFFFull;
    }
  }
  result.digits = static_cast<std::size_t>(end - begin);
  result.check = tooLarge ? DecimalCheck::TooLarge : DecimalCheck::Valid;
  result.number = tooLarge ? 0 : static_cast<std::uint32_t>(number);
  return result;
}
