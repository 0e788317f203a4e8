#pragma once
// Exact decimal-to-binary rounding: a decimal number to the extended value nearest to it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/ExtendedPrecision.h"

namespace penmarrow {

// A value halfway between two neighbouring extended values, or the
// edge of overflow, has at most 11,515 significant decimal digits;
// digits past this many decide nothing but whether any is non-zero.
inline constexpr std::size_t DecisiveDigits = 11520;

// The extended value nearest to digits × 10^exponent, ties to even,
// subnormal results included. digits are ASCII decimal digits; nothing
// when the value rounds past the largest finite extended value.
std::optional<Extended> NearestExtended(std::string_view digits, std::int64_t exponent);

}  // namespace penmarrow
