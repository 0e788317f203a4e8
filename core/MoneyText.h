#pragma once
// Money amounts as text: "$1,000" and back, with the process-wide number format settings.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/ExtendedPrecision.h"
#include "core/FormatSettings.h"

namespace penmarrow {

// Never fails: a text that does not read gives the caller's default.
std::int64_t MoneyToInt64(std::u16string_view text, std::int64_t defaultValue,
                          const TFormatSettings& settings = FormatSettings());

// Whole units with thousands separators and the currency
// string, or the scientific form from 16 digits on.
std::u16string FormatMoney(Extended value, const TFormatSettings& settings = FormatSettings());

}  // namespace penmarrow
