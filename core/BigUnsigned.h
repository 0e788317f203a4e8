#pragma once
// A small arbitrary-precision unsigned integer: just what exact decimal-to-binary rounding needs.

#include <compare>
#include <cstdint>
#include <string_view>
#include <vector>

namespace penmarrow {

class BigUnsigned {
 public:
  BigUnsigned() = default;
  explicit BigUnsigned(std::uint64_t value);

  // The integer a string of ASCII decimal digits spells.
  static BigUnsigned FromDecimal(std::string_view digits);

  void MultiplyByPowerOfTen(std::uint64_t exponent);
  BigUnsigned ShiftedLeft(std::uint64_t bits) const;
  // this -= smaller; smaller must not exceed this.
  void Subtract(const BigUnsigned& smaller);
  // Replaces this by the remainder and returns the quotient, which must be below 2^64.
  std::uint64_t DivideSmallQuotient(const BigUnsigned& divisor);

  std::uint64_t BitLength() const;
  bool IsZero() const { return limbs_.empty(); }

  friend std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b);
  friend bool operator==(const BigUnsigned& a, const BigUnsigned& b) = default;

 private:
  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend);
  void Trim();

  std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limbs
};

}  // namespace penmarrow
