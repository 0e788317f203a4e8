#pragma once
// The annual rate in percent as text: "5.00" and back.

#include <string>
#include <string_view>

#include "core/ExtendedPrecision.h"
#include "core/FormatSettings.h"

namespace penmarrow {

// Never fails: a text that does not read, or overflows
// the extended range, gives the caller's default.
Extended RateToFloat(std::u16string_view text, Extended defaultValue,
                     const TFormatSettings& settings = FormatSettings());

// Exactly two decimals, halves away from zero judged on the 18-digit decimal form.
std::u16string FormatRate(Extended value, const TFormatSettings& settings = FormatSettings());

}  // namespace penmarrow
