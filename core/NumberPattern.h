#pragma once
// The "#,##0.###" number pattern of the chart's marks and axis labels.

#include <string>

#include "core/ExtendedPrecision.h"
#include "core/FormatSettings.h"

namespace penmarrow {

// Thousands separators and at most `maxDecimals` decimals, trailing zeros dropped: 1629 → "1,629".
std::u16string FormatGroupedNumber(Extended value, int maxDecimals,
                                   const TFormatSettings& settings = FormatSettings());

}  // namespace penmarrow
