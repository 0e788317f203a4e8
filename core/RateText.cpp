#include "core/RateText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "core/DecimalForm.h"
#include "core/IntegerText.h"
#include "core/NearestExtended.h"

namespace penmarrow {
namespace {

// Far beyond both the extended range and any text's length, so a capped exponent decides the same
// way and the counters cannot overflow.
constexpr std::int64_t ExponentCap = 100'000'000'000'000'000;

// All digits before and after the separator as one integer times a power of ten, keeping only the
// significant digits that can decide the rounding.
class DigitString {
 public:
  void Append(char16_t digit, bool afterSeparator) {
    if (afterSeparator) --exponent_;
    if (digits_.empty() && digit == u'0') return;
    if (digits_.size() < DecisiveDigits) {
      digits_.push_back(static_cast<char>(digit));
    } else {
      ++exponent_;
      droppedNonZero_ = droppedNonZero_ || digit != u'0';
    }
  }

  std::optional<Extended> Nearest(std::int64_t exponent) const {
    std::string digits = digits_;
    exponent += exponent_;
    // A trailing 1 puts the value strictly between the same neighbours as the dropped digits did.
    if (droppedNonZero_) {
      digits.push_back('1');
      --exponent;
    }
    return NearestExtended(digits, exponent);
  }

 private:
  std::string digits_;
  std::int64_t exponent_ = 0;
  bool droppedNonZero_ = false;
};

class RateScanner {
 public:
  explicit RateScanner(std::u16string_view text) : text_(text) {}

  std::optional<Extended> Read(char16_t decimalSeparator) {
    SkipSpaces();
    const bool negative = Accept(u'-');
    if (!negative) Accept(u'+');
    const std::size_t integerDigits = ReadDigits(false);
    const bool hasSeparator = Accept(decimalSeparator);
    if (hasSeparator) ReadDigits(true);
    if (integerDigits == 0 && !hasSeparator) return std::nullopt;
    std::int64_t exponent = 0;
    if (Accept(u'E') || Accept(u'e')) exponent = ReadExponent();
    SkipSpaces();
    if (pos_ != text_.size()) return std::nullopt;

    const std::optional<Extended> value = digits_.Nearest(exponent);
    if (!value) return std::nullopt;
    return negative ? -*value : *value;
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
  std::size_t ReadDigits(bool afterSeparator) {
    const std::size_t start = pos_;
    for (; pos_ < text_.size() && IsDecimalDigit(text_[pos_]); ++pos_)
      digits_.Append(text_[pos_], afterSeparator);
    return pos_ - start;
  }
  std::int64_t ReadExponent() {
    const bool negative = Accept(u'-');
    if (!negative) Accept(u'+');
    std::int64_t exponent = 0;
    for (; pos_ < text_.size() && IsDecimalDigit(text_[pos_]); ++pos_)
      exponent = std::min<std::int64_t>(exponent * 10 + (text_[pos_] - u'0'), ExponentCap);
    return negative ? -exponent : exponent;
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
  DigitString digits_;
};

}  // namespace

Extended RateToFloat(std::u16string_view text, Extended defaultValue,
                     const TFormatSettings& settings) {
  return RateScanner(text).Read(settings.DecimalSeparator).value_or(defaultValue);
}

std::u16string FormatRate(Extended value, const TFormatSettings& settings) {
  return WriteNumber(value, 2, settings.DecimalSeparator,
                     [&](bool negative, const FixedDecimal& fixed) {
                       std::u16string text = negative ? u"-" : u"";
                       text += GroupThousands(fixed.integerDigits, settings.ThousandSeparator);
                       text += settings.DecimalSeparator;
                       text.append(fixed.fractionDigits.begin(), fixed.fractionDigits.end());
                       return text;
                     });
}

}  // namespace penmarrow
