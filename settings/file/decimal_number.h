// A whole decimal number as a person writes it: on a command line or in the settings file. Each
// caller chooses whether blanks around it and a leading sign are allowed, and judges the range
// and the sign itself.
#pragma once

#include <cstddef>
#include <cstdint>

enum class DecimalCheck : std::uint8_t {
  Valid,       // digits only, and the number fits in 32 bits
  NotANumber,  // empty, or something other than decimal digits (after an allowed sign)
  TooLarge,    // decimal digits only, but more than 4294967295
};

// What may surround the digits.
enum DecimalForm : std::uint8_t {
  DecimalDigitsOnly = 0,
  DecimalBlanksAround = 1,  // spaces, tabs, carriage returns and line feeds before and after
  DecimalSigned = 2,        // one '+' or '-' before the digits
};

struct DecimalNumber {
  DecimalCheck check;
  bool negative;         // a '-' came before the digits
  std::uint32_t number;  // when Valid
  std::size_t digits;    // how many digits were written, leading zeros included
};

// Reads `length` characters of `text` in the given form (DecimalForm values or'ed together). No
// length of digits can overflow: only the verdict changes.
DecimalNumber readDecimalNumber(const char* text, std::size_t length, unsigned form);

// Moves `begin` and `end` inward past the blanks that DecimalBlanksAround allows (a settings
// file's line may have the same around a name or a value).
void trimTextBlanks(const char*& begin, const char*& end);
