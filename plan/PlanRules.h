#pragma once
// Whether a field would take a value read from a plan, by the rules of typing and pasting; when it
// would not, the one sentence that says why ("Rate 120 is above 99.99").

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace penmarrow {

template <typename T>
struct Checked {
  std::optional<T> value;
  QString refusal;  // set exactly when there is no value
};

// A money field's text, as pasting it would: an amount from 0 to 999,999.
Checked<std::int64_t> CheckedAmount(const QString& name, const QString& text);
// The rate field's text, as pasting it would: digits and one decimal separator, 0 to 99.99.
Checked<QString> CheckedRate(const QString& name, const QString& text);
// A whole number from `lowest` to `highest`, as the years field and the start-later slider hold.
Checked<int> CheckedWholeNumber(const QString& name, double number, int lowest, int highest);
// Frequency names as the lists hold them, the case of the ASCII letters aside. Compounding is
// never offered more often than deposits are made, except from the list the window starts with,
// which offers every choice while deposits are annual.
// The deposit frequency and the alternative's compounding offer every row but "Continuous".
Checked<std::size_t> CheckedDiscreteFrequency(const QString& name, const QString& text);
Checked<std::size_t> CheckedCompoundFrequency(const QString& name, const QString& text,
                                              std::size_t depositRow);

// The rate field's text as a plan keeps it: its two-decimal form where that reads as the same
// rate ("5.00" for "5."), else the text itself ("5.001").
QString PlanRateText(const QString& fieldText);

// A value as a message quotes it: at most `longest` characters, none of them one that would not
// show.
QString Quoted(const QString& text, qsizetype longest = 24);

}  // namespace penmarrow
