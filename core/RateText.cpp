#include "core/RateText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/DecimalForm.h"

namespace penmarrow {
namespace {

// Past this many places every power of ten is out of the extended range; capping keeps huge
// exponents from overflowing the counters.
constexpr std::int64_t ScaleCap = 100000;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

class RateScanner {
 public:
  explicit RateScanner(std::u16string_view text) : text_(text) {}

  std::optional<Extended> Read(char16_t decimalSeparator) {
    SkipSpaces();
    const bool negative = Accept(u'-');
    if (!negative) Accept(u'+');
    const std::size_t integerDigits = ReadDigits();
    const bool hasSeparator = Accept(decimalSeparator);
    const std::size_t fractionDigits = hasSeparator ? ReadDigits() : 0;
    if (integerDigits == 0 && !hasSeparator) return std::nullopt;
    std::int64_t exponent = 0;
    if (Accept(u'E') || Accept(u'e')) exponent = ReadExponent();
    SkipSpaces();
    if (pos_ != text_.size()) return std::nullopt;

    const std::int64_t scale =
        std::clamp<std::int64_t>(exponent - static_cast<std::int64_t>(fractionDigits), -ScaleCap, ScaleCap);
    const Extended value = Scaled(mantissa_, scale);
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
  }

 private:
  void SkipSpaces() {
    while (pos_ < text_.size() && text_[pos_] == u' ') ++pos_;
  }
  bool Accept(char16_t c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // Digits before and after the separator accumulate into one integer, each step rounded.
  std::size_t ReadDigits() {
    const std::size_t start = pos_;
    for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_)
      mantissa_ = mantissa_ * 10 + static_cast<Extended>(text_[pos_] - u'0');
    return pos_ - start;
  }
  std::int64_t ReadExponent() {
    const bool negative = Accept(u'-');
    if (!negative) Accept(u'+');
    std::int64_t exponent = 0;
    for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_)
      exponent = std::min<std::int64_t>(exponent * 10 + (text_[pos_] - u'0'), ScaleCap);
    return negative ? -exponent : exponent;
  }
  static Extended PowerOfTen(std::int64_t exponent) {
    Extended power = 1;
    Extended square = 10;
    for (; exponent > 0 && std::isfinite(power); exponent >>= 1, square *= square)
      if (exponent & 1) power *= square;
    return power;
  }
  static Extended Scaled(Extended mantissa, std::int64_t scale) {
    if (mantissa == 0) return 0;
    return scale >= 0 ? mantissa * PowerOfTen(scale) : mantissa / PowerOfTen(-scale);
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
  Extended mantissa_ = 0;
};

}  // namespace

Extended RateToFloat(std::u16string_view text, Extended defaultValue, const TFormatSettings& settings) {
  return RateScanner(text).Read(settings.DecimalSeparator).value_or(defaultValue);
}

std::u16string FormatRate(Extended value, const TFormatSettings& settings) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const FixedDecimal fixed = RoundedMagnitude(value, 2);
  const bool negative = value < 0 && !fixed.IsZero();
  if (fixed.integerDigits.size() > MaxPlainIntegerDigits)
    return ScientificForm(negative, fixed.integerDigits, settings.DecimalSeparator);
  std::u16string text = negative ? u"-" : u"";
  text += GroupThousands(fixed.integerDigits, settings.ThousandSeparator);
  text += settings.DecimalSeparator;
  text += std::u16string(fixed.fractionDigits.begin(), fixed.fractionDigits.end());
  return text;
}

}  // namespace penmarrow
