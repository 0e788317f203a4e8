#pragma once
// The decimal writing shared by money, rate and chart texts: the 18-digit form of an extended
// value, rounding halves away from zero on that form, thousands grouping and the scientific form.

#include <functional>
#include <string>
#include <string_view>

#include "core/ExtendedPrecision.h"

namespace penmarrow {

struct FixedDecimal {
  std::string integerDigits;   // no leading zeros; "0" for a magnitude below one
  std::string fractionDigits;  // exactly the requested number of decimals
  bool IsZero() const;
};

// |value| to 18 significant digits, then to `decimals`
// places, halves away from zero. value is finite.
FixedDecimal RoundedMagnitude(Extended value, int decimals);

std::u16string GroupThousands(std::string_view digits, char16_t separator);

// The text written for an infinite or NaN value, which no conversion can give a number.
std::u16string NonFiniteText(Extended value);

// How a money or rate text writes a value of at most 15 integer digits: its sign (negative only
// when it did not round to zero) and its rounded digits.
using PlainNumberForm = std::function<std::u16string(bool negative, const FixedDecimal& rounded)>;

// The text of a non-finite value; else the value rounded to `decimals` places and written by
// `plain`, or in the scientific form beyond 15 integer digits.
std::u16string WriteNumber(Extended value, int decimals, char16_t decimalSeparator,
                           const PlainNumberForm& plain);

}  // namespace penmarrow
