#include "core/DecimalForm.h"

#include <charconv>
#include <cmath>

namespace penmarrow {
namespace {

constexpr int SignificantDigits = 18;
constexpr std::size_t MaxPlainIntegerDigits = 15;

// Adds one unit in the last place of a digit string; returns true when it carried out of the front.
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
  return true;
}

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// "1.23456789012346E15": 15 significant digits, halves away from zero, trailing zeros dropped.
std::u16string ScientificForm(bool negative, std::string_view integerDigits,
                              char16_t decimalSeparator) {
  constexpr std::size_t Mantissa = 15;
  std::string digits(integerDigits.substr(0, Mantissa));
  std::size_t exponent = integerDigits.size() - 1;
  if (integerDigits.size() > Mantissa && integerDigits[Mantissa] >= '5' &&
      IncrementDigits(digits)) {
    ++exponent;
    digits.pop_back();
  }
  const auto lastNonZero = digits.find_last_not_of('0');
  digits.resize(lastNonZero + 1);

  std::u16string text = negative ? u"-" : u"";
  text += static_cast<char16_t>(digits[0]);
  if (digits.size() > 1) {
    text += decimalSeparator;
    text += Widen(std::string_view(digits).substr(1));
  }
  text += u'E';
  text += Widen(std::to_string(exponent));
  return text;
}

}  // namespace

bool FixedDecimal::IsZero() const {
  return integerDigits == "0" && fractionDigits.find_first_not_of('0') == std::string::npos;
}

FixedDecimal RoundedMagnitude(Extended value, int decimals) {
  // to_chars writes the same digits under every locale; printf's "%Le" follows the user's
  // LC_NUMERIC once the application object has set it, and would write "1,23e+03".
  char buffer[64];
  const char* end = std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value),
                                  std::chars_format::scientific, SignificantDigits - 1)
                        .ptr;
  const std::string_view written(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t exponentAt = written.find('e');
  std::string digits;
  for (const char c : written.substr(0, exponentAt))
    if (c != '.') digits += c;
  const std::string_view exponentText = written.substr(exponentAt + 1);  // "+03" or "-05"
  long exponent = 0;
  std::from_chars(exponentText.data() + (exponentText.front() == '+'),
                  exponentText.data() + exponentText.size(), exponent);
  long integerLength = exponent + 1;

  const long keep = integerLength + decimals;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<long>(digits.size())) {
    const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (roundUp && IncrementDigits(digits)) ++integerLength;
  }
  // Digits before the first kept one (a magnitude below one) are zeros.
  if (integerLength < 0) {
    digits.insert(0, static_cast<std::size_t>(-integerLength), '0');
    integerLength = 0;
  }
  digits.resize(static_cast<std::size_t>(integerLength + decimals), '0');

  FixedDecimal result;
  result.integerDigits = digits.substr(0, static_cast<std::size_t>(integerLength));
  result.fractionDigits = digits.substr(static_cast<std::size_t>(integerLength));
  const auto firstNonZero = result.integerDigits.find_first_not_of('0');
  result.integerDigits = firstNonZero == std::string::npos
                             ? std::string("0")
                             : result.integerDigits.substr(firstNonZero);
  return result;
}

std::u16string GroupThousands(std::string_view digits, char16_t separator) {
  std::u16string grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
    grouped += static_cast<char16_t>(digits[i]);
  }
  return grouped;
}

std::u16string NonFiniteText(Extended value) {
  if (std::isnan(value)) return u"NAN";
  return value < 0 ? u"-INF" : u"INF";
}

std::u16string WriteNumber(Extended value, int decimals, char16_t decimalSeparator,
                           const PlainNumberForm& plain) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const FixedDecimal rounded = RoundedMagnitude(value, decimals);
  const bool negative = value < 0 && !rounded.IsZero();
  if (rounded.integerDigits.size() > MaxPlainIntegerDigits)
    return ScientificForm(negative, rounded.integerDigits, decimalSeparator);
  return plain(negative, rounded);
}

}  // namespace penmarrow
