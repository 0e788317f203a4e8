#pragma once
// The decimal writing shared by money and rate texts: the 18-digit form of an extended value,
// rounding halves away from zero on that form, thousands grouping and the scientific form.

#include <string>
#include <string_view>

#include "core/ExtendedPrecision.h"

namespace penmarrow {

struct FixedDecimal {
  std::string integerDigits;   // no leading zeros; "0" for a magnitude below one
  std::string fractionDigits;  // exactly the requested number of decimals
  bool IsZero() const;
};

// |value| to 18 significant digits, then to `decimals` places, halves away from zero. value is finite.
FixedDecimal RoundedMagnitude(Extended value, int decimals);

std::u16string GroupThousands(std::string_view digits, char16_t separator);

// "1.23456789012346E15": 15 significant digits, halves away from zero, trailing zeros dropped.
std::u16string ScientificForm(bool negative, std::string_view integerDigits, char16_t decimalSeparator);

// The text written for an infinite or NaN value, which no conversion can give a number.
std::u16string NonFiniteText(Extended value);

// Beyond 15 integer digits a text switches to the scientific form.
inline constexpr std::size_t MaxPlainIntegerDigits = 15;

}  // namespace penmarrow
