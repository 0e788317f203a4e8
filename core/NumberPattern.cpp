#include "core/NumberPattern.h"

#include <cmath>

#include "core/DecimalForm.h"

namespace penmarrow {

std::u16string FormatGroupedNumber(Extended value, int maxDecimals,
                                   const TFormatSettings& settings) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  FixedDecimal fixed = RoundedMagnitude(value, maxDecimals);
  std::u16string text = value < 0 && !fixed.IsZero() ? u"-" : u"";
  text += GroupThousands(fixed.integerDigits, settings.ThousandSeparator);
  const auto lastDigit = fixed.fractionDigits.find_last_not_of('0');
  if (lastDigit != std::string::npos) {
    text += settings.DecimalSeparator;
    text.append(fixed.fractionDigits.begin(),
                fixed.fractionDigits.begin() + static_cast<std::ptrdiff_t>(lastDigit + 1));
  }
  return text;
}

}  // namespace penmarrow
