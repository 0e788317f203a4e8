#include "core/MoneyText.h"

#include <algorithm>

#include "core/DecimalForm.h"
#include "core/IntegerText.h"

namespace penmarrow {
namespace {

void EraseFirst(std::u16string& text, std::u16string_view part) {
  if (part.empty()) return;
  if (const auto at = text.find(part); at != std::u16string::npos) text.erase(at, part.size());
}

std::u16string PositiveCurrency(const std::u16string& amount, const TFormatSettings& s) {
  const std::u16string& c = s.CurrencyString;
  switch (s.CurrencyFormat) {
    case 1: return amount + c;
    case 2: return c + u' ' + amount;
    case 3: return amount + u' ' + c;
    default: return c + amount;
  }
}

std::u16string NegativeCurrency(const std::u16string& a, const TFormatSettings& s) {
  const std::u16string& c = s.CurrencyString;
  switch (s.NegCurrFormat) {
    case 1: return u"-" + c + a;
    case 2: return c + u"-" + a;
    case 3: return c + a + u"-";
    case 4: return u"(" + a + c + u")";
    case 5: return u"-" + a + c;
    case 6: return a + u"-" + c;
    case 7: return a + c + u"-";
    case 8: return u"-" + a + u" " + c;
    case 9: return u"-" + c + u" " + a;
    case 10: return a + u" " + c + u"-";
    case 11: return c + u" " + a + u"-";
    case 12: return c + u" -" + a;
    case 13: return a + u"- " + c;
    case 14: return u"(" + c + u" " + a + u")";
    case 15: return u"(" + a + u" " + c + u")";
    default: return u"(" + c + a + u")";
  }
}

}  // namespace

std::int64_t MoneyToInt64(std::u16string_view text, std::int64_t defaultValue,
                          const TFormatSettings& settings) {
  std::u16string stripped(text);
  EraseFirst(stripped, settings.CurrencyString);
  EraseFirst(stripped, std::u16string_view(&settings.ThousandSeparator, 1));
  return ReadInteger(stripped).value_or(defaultValue);
}

std::u16string FormatMoney(Extended value, const TFormatSettings& settings) {
  return WriteNumber(
      value, 0, settings.DecimalSeparator, [&](bool negative, const FixedDecimal& whole) {
        const std::u16string amount =
            GroupThousands(whole.integerDigits, settings.ThousandSeparator);
        return negative ? NegativeCurrency(amount, settings) : PositiveCurrency(amount, settings);
      });
}

}  // namespace penmarrow
