#include "core/NearestExtended.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "core/BigUnsigned.h"

namespace penmarrow {
namespace {

constexpr std::int64_t SignificandBits = LDBL_MANT_DIG;
// The weight of the last significand bit: of the
// smallest subnormal, and of the largest finite value.
constexpr std::int64_t LowestBinaryExponent = LDBL_MIN_EXP - LDBL_MANT_DIG;
constexpr std::int64_t HighestBinaryExponent = LDBL_MAX_EXP - LDBL_MANT_DIG;
// A value of this many integer digits is at least 10^4933, past the largest extended value; one
// below 10^-4952 lies under half the smallest subnormal. Between them the exponents stay small.
constexpr std::int64_t OverflowPosition = LDBL_MAX_10_EXP + 2;
constexpr std::int64_t NegligiblePosition = -4952;

struct Fraction {
  BigUnsigned numerator;
  BigUnsigned denominator;
};

// numerator / denominator × 2^-binaryExponent, still as a fraction of integers.
Fraction TimesPowerOfTwo(const Fraction& f, std::int64_t binaryExponent) {
  if (binaryExponent >= 0)
    return {f.numerator, f.denominator.ShiftedLeft(static_cast<std::uint64_t>(binaryExponent))};
  return {f.numerator.ShiftedLeft(static_cast<std::uint64_t>(-binaryExponent)), f.denominator};
}

// The weight of the last bit of a 64-bit significand for the value, never below the subnormal one.
std::int64_t BinaryExponent(const Fraction& value) {
  // The bit lengths put the scaled value between 2^63 and 2^65; one comparison settles which half.
  std::int64_t exponent = static_cast<std::int64_t>(value.numerator.BitLength()) -
                          static_cast<std::int64_t>(value.denominator.BitLength()) -
                          SignificandBits;
  const Fraction scaled = TimesPowerOfTwo(value, exponent);
  if (scaled.numerator >= scaled.denominator.ShiftedLeft(SignificandBits)) ++exponent;
  return std::max(exponent, LowestBinaryExponent);
}

std::optional<Extended> RoundedToExtended(const Fraction& value) {
  std::int64_t exponent = BinaryExponent(value);
  Fraction scaled = TimesPowerOfTwo(value, exponent);
  std::uint64_t significand = scaled.numerator.DivideSmallQuotient(scaled.denominator);
  const auto twiceRemainder = scaled.numerator.ShiftedLeft(1) <=> scaled.denominator;
  if (twiceRemainder > 0 || (twiceRemainder == 0 && significand % 2 == 1)) {
    if (significand == std::numeric_limits<std::uint64_t>::max()) {
      significand = std::uint64_t{1} << (SignificandBits - 1);
      ++exponent;
    } else {
      ++significand;
    }
  }
  if (exponent > HighestBinaryExponent) return std::nullopt;
  return std::ldexp(static_cast<Extended>(significand), static_cast<int>(exponent));
}

}  // namespace

std::optional<Extended> NearestExtended(std::string_view digits, std::int64_t exponent) {
  digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty()) return 0;
  const std::size_t trailingZeros = digits.size() - 1 - digits.find_last_not_of('0');
  digits.remove_suffix(trailingZeros);
  exponent += static_cast<std::int64_t>(trailingZeros);
  const std::int64_t position = static_cast<std::int64_t>(digits.size()) + exponent;
  if (position >= OverflowPosition) return std::nullopt;
  if (position <= NegligiblePosition) return 0;

  Fraction value{BigUnsigned::FromDecimal(digits), BigUnsigned(1)};
  if (exponent >= 0)
    value.numerator.MultiplyByPowerOfTen(static_cast<std::uint64_t>(exponent));
  else
    value.denominator.MultiplyByPowerOfTen(static_cast<std::uint64_t>(-exponent));
  return RoundedToExtended(value);
}

}  // namespace penmarrow
