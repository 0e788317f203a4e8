#include "core/BigUnsigned.h"

#include <algorithm>
#include <bit>

namespace penmarrow {
namespace {

constexpr unsigned LimbBits = 32;
constexpr std::size_t DigitsPerChunk = 9;
constexpr std::uint32_t PowersOfTen[DigitsPerChunk + 1] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

}  // namespace

BigUnsigned::BigUnsigned(std::uint64_t value) {
  for (; value != 0; value >>= LimbBits) limbs_.push_back(static_cast<std::uint32_t>(value));
}

BigUnsigned BigUnsigned::FromDecimal(std::string_view digits) {
  BigUnsigned result;
  while (!digits.empty()) {
    const std::size_t take = std::min(digits.size(), DigitsPerChunk);
    std::uint32_t chunk = 0;
    for (const char digit : digits.substr(0, take))
      chunk = chunk * 10 + static_cast<std::uint32_t>(digit - '0');
    result.MultiplyAdd(PowersOfTen[take], chunk);
    digits.remove_prefix(take);
  }
  return result;
}

void BigUnsigned::MultiplyByPowerOfTen(std::uint64_t exponent) {
  for (; exponent > 0; exponent -= std::min<std::uint64_t>(exponent, DigitsPerChunk))
    MultiplyAdd(PowersOfTen[std::min<std::uint64_t>(exponent, DigitsPerChunk)], 0);
}

void BigUnsigned::MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (std::uint32_t& limb : limbs_) {
    carry += static_cast<std::uint64_t>(limb) * factor;
    limb = static_cast<std::uint32_t>(carry);
    carry >>= LimbBits;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
}

BigUnsigned BigUnsigned::ShiftedLeft(std::uint64_t bits) const {
  BigUnsigned result;
  if (IsZero()) return result;
  const unsigned inLimb = bits % LimbBits;
  result.limbs_.assign(bits / LimbBits, 0);
  std::uint32_t spill = 0;
  for (const std::uint32_t limb : limbs_) {
    result.limbs_.push_back(limb << inLimb | spill);
    spill = inLimb == 0 ? 0 : limb >> (LimbBits - inLimb);
  }
  result.limbs_.push_back(spill);
  result.Trim();
  return result;
}

void BigUnsigned::Subtract(const BigUnsigned& smaller) {
  std::uint64_t borrow = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    const std::uint64_t take = borrow + (i < smaller.limbs_.size() ? smaller.limbs_[i] : 0);
    const std::uint64_t limb = limbs_[i];
    limbs_[i] = static_cast<std::uint32_t>(limb - take);
    borrow = limb < take ? 1 : 0;
  }
  Trim();
}

std::uint64_t BigUnsigned::DivideSmallQuotient(const BigUnsigned& divisor) {
  std::uint64_t quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    const BigUnsigned shifted = divisor.ShiftedLeft(static_cast<std::uint64_t>(bit));
    if (*this >= shifted) {
      Subtract(shifted);
      quotient |= std::uint64_t{1} << bit;
    }
  }
  return quotient;
}

std::uint64_t BigUnsigned::BitLength() const {
  if (IsZero()) return 0;
  return (limbs_.size() - 1) * LimbBits + static_cast<std::uint64_t>(std::bit_width(limbs_.back()));
}

std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() <=> b.limbs_.size();
  return std::lexicographical_compare_three_way(a.limbs_.rbegin(), a.limbs_.rend(),
                                                b.limbs_.rbegin(), b.limbs_.rend());
}

void BigUnsigned::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

}  // namespace penmarrow
