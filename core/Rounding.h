#pragma once

#include <cstdint>
#include <stdexcept>

#include "core/ExtendedPrecision.h"

namespace penmarrow {

// The only error the calculator's own operations raise.
class EInvalidOp : public std::runtime_error {
 public:
  EInvalidOp() : std::runtime_error("Invalid floating point operation") {}
};

// Nearest whole number, halves to even; throws
// EInvalidOp outside the signed 64-bit range or for NaN.
std::int64_t Round(Extended value);

// True when Round(value) would succeed; lets hot loops skip the rounding whose result they discard.
inline bool RoundFits(Extended value) {
  // Below 2^63 the spacing is at most 0.5, and 2^63 - 0.5 rounds to the even 2^63.
  return value >= -0x1p63L && value < 0x1p63L - 0.5L;
}

}  // namespace penmarrow
