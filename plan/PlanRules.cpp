#include "plan/PlanRules.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/FrequencyTable.h"
#include "core/IntegerText.h"
#include "core/KeyEdit.h"
#include "core/MoneyText.h"
#include "core/RateText.h"

namespace penmarrow {
namespace {

constexpr qsizetype QuotedLength = 24;
constexpr qsizetype MoneyDigits = 6;

template <typename T>
Checked<T> Refused(QString refusal) {
  return {std::nullopt, std::move(refusal)};
}

bool Digit(QChar c) { return IsDecimalDigit(c.unicode()); }

// "Rate 120" for what reads like a number, "Rate "12%"" for anything else.
QString NameAndValue(const QString& name, const QString& text) {
  const bool plain = !text.isEmpty() && text.size() <= QuotedLength &&
                     std::all_of(text.begin(), text.end(), [](QChar c) {
                       return Digit(c) || c == u'.' || c == u',' || c == u'$';
                     });
  return name + u' ' + (plain ? text : Quoted(text, QuotedLength));
}

// More digits than an amount up to 999,999 has, leading zeros aside, around at most one "$".
bool TooManyDigits(const QString& text) {
  QString digits = text;
  digits.remove(u',');
  if (digits.count(u'$') > 1) return false;
  digits.remove(u'$');
  if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), Digit)) return false;
  const auto significant =
      std::find_if(digits.begin(), digits.end(), [](QChar c) { return c != u'0'; });
  return digits.end() - significant > MoneyDigits;
}

std::optional<std::size_t> RowOf(const QString& text) {
  return FrequencyPosition(text.toStdU16String());
}

QString RowName(std::size_t row) {
  return QString::fromStdU16String(std::u16string(FrequencyTable[row].Name));
}

QString Names(std::size_t rows) {
  QStringList names;
  for (std::size_t row = 0; row < rows; ++row) names << RowName(row);
  return names.join(QStringLiteral(", "));
}

}  // namespace

QString Quoted(const QString& text, qsizetype longest) {
  QString shown;
  for (const QChar c : text) {
    if (shown.size() == longest) {
      shown += u'\u2026';
      break;
    }
    shown += c.isPrint() && !c.isSurrogate() ? c : QChar(QChar::ReplacementCharacter);
  }
  return u'"' + shown + u'"';
}

Checked<std::int64_t> CheckedAmount(const QString& name, const QString& text) {
  const std::u16string candidate = text.toStdU16String();
  if (MoneyPasteAllowed(candidate)) return {MoneyToInt64(candidate, 0), {}};
  return Refused<std::int64_t>(NameAndValue(name, text) +
                               (TooManyDigits(text)
                                    ? QStringLiteral(" is above $999,999")
                                    : QStringLiteral(" is not an amount from $0 to $999,999")));
}

Checked<QString> CheckedRate(const QString& name, const QString& text) {
  if (RatePasteAllowed(text.toStdU16String())) return {text, {}};
  // A long text is no rate the field takes, whatever it reads as.
  const Extended rate = text.size() <= QuotedLength ? RateToFloat(text.toStdU16String(), -1) : -1;
  const QString named = NameAndValue(name, text);
  if (rate > 99.99L) return Refused<QString>(named + QStringLiteral(" is above 99.99"));
  if (rate >= 0 && text.size() > RateMaxLength)
    return Refused<QString>(named + QStringLiteral(" is longer than 5 characters"));
  return Refused<QString>(named + QStringLiteral(" is not a rate from 0 to 99.99"));
}

Checked<int> CheckedWholeNumber(const QString& name, double number, int lowest, int highest) {
  const QString named = name + u' ' + QString::number(number, 'g', 15);
  if (number < lowest)
    return Refused<int>(named + QStringLiteral(" is below ") + QString::number(lowest));
  if (number > highest)
    return Refused<int>(named + QStringLiteral(" is above ") + QString::number(highest));
  if (number != std::floor(number))
    return Refused<int>(named + QStringLiteral(" is not a whole number"));
  return {static_cast<int>(number), {}};
}

Checked<std::size_t> CheckedDiscreteFrequency(const QString& name, const QString& text) {
  const std::optional<std::size_t> row = RowOf(text);
  if (!row || *row >= DiscreteFrequencyCount)
    return Refused<std::size_t>(NameAndValue(name, text) + QStringLiteral(" is not one of ") +
                                Names(DiscreteFrequencyCount));
  return {row, {}};
}

Checked<std::size_t> CheckedCompoundFrequency(const QString& name, const QString& text,
                                              std::size_t depositRow) {
  const std::optional<std::size_t> row = RowOf(text);
  if (!row)
    return Refused<std::size_t>(NameAndValue(name, text) + QStringLiteral(" is not one of ") +
                                Names(FrequencyTable.size()));
  const bool offered =
      depositRow == 0 || *row <= depositRow || IsContinuous(FrequencyTable[*row].Name);
  if (!offered)
    return Refused<std::size_t>(name + u' ' + RowName(*row) +
                                QStringLiteral(" is more frequent than the deposit frequency ") +
                                RowName(depositRow));
  return {row, {}};
}

QString PlanRateText(const QString& fieldText) {
  const Extended rate = RateToFloat(fieldText.toStdU16String(), 0);
  const std::u16string formatted = FormatRate(rate);
  return RateToFloat(formatted, -1) == rate ? QString::fromStdU16String(formatted) : fieldText;
}

}  // namespace penmarrow
