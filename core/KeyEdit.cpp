#include "core/KeyEdit.h"

#include <algorithm>

#include "core/FormatSettings.h"
#include "core/IntegerText.h"
#include "core/MoneyText.h"
#include "core/RateText.h"
#include "core/Selection.h"

namespace penmarrow {
namespace {

TKeyEdit Removed(std::u16string_view text, std::size_t at, std::size_t count, std::size_t caret) {
  std::u16string result(text);
  result.erase(at, count);
  return {std::move(result), static_cast<int>(caret)};
}

}  // namespace

TKeyEdit CharKeyEdit(std::u16string_view text, int selStart, int selLength, char16_t key) {
  const auto [start, length] = ClampSelection(text.size(), selStart, selLength);
  if (key == Backspace) {
    if (length > 0) return Removed(text, start, length, start);
    if (start > 0) return Removed(text, start - 1, 1, start - 1);
    return {std::u16string(text), 0};
  }
  std::u16string result(text);
  result.erase(start, length);
  result.insert(result.begin() + static_cast<std::ptrdiff_t>(start), key);
  return {std::move(result), static_cast<int>(start + 1)};
}

TKeyEdit DeleteKeyEdit(std::u16string_view text, int selStart, int selLength) {
  const auto [start, length] = ClampSelection(text.size(), selStart, selLength);
  if (length > 0) return Removed(text, start, length, start);
  if (start < text.size()) return Removed(text, start, 1, start);
  return {std::u16string(text), static_cast<int>(start)};
}

bool MoneyTextAllowed(std::u16string_view text) {
  return text.empty() || MoneyToInt64(text, MoneyLimit + 1) <= MoneyLimit;
}

bool MoneyPasteAllowed(std::u16string_view text) {
  const TFormatSettings& settings = FormatSettings();
  const std::u16string_view currency = settings.CurrencyString;
  const auto typeable = [&](std::u16string_view part) {
    return std::all_of(part.begin(), part.end(), [&](char16_t c) {
      return IsDecimalDigit(c) || c == settings.ThousandSeparator;
    });
  };
  // One pass, whatever the length: typing only ever adds digits, so a second currency string
  // ("$$2,000", read as hexadecimal) is no typed text.
  const std::size_t at = currency.empty() ? text.npos : text.find(currency);
  if (at == text.npos) return typeable(text) && MoneyTextAllowed(text);
  const std::u16string_view after = text.substr(at + currency.size());
  return typeable(text.substr(0, at)) && typeable(after) && MoneyTextAllowed(text);
}

bool RateTextAllowed(std::u16string_view text, bool limitLength) {
  if (text.empty()) return true;
  const Extended rate = RateToFloat(text, -1);
  return rate >= 0 && rate <= RateLimit && (!limitLength || text.size() <= RateMaxLength);
}

bool RatePasteAllowed(std::u16string_view text) {
  if (text.size() > RateMaxLength) return false;
  const char16_t separator = FormatSettings().DecimalSeparator;
  const bool typeable = std::all_of(
      text.begin(), text.end(), [&](char16_t c) { return IsDecimalDigit(c) || c == separator; });
  return typeable && RateTextAllowed(text, true);
}

}  // namespace penmarrow
