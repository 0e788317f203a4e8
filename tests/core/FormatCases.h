#pragma once
// What the text tests share: the settings the main window sets, and a table of values with the
// texts they are written as.

#include <gtest/gtest.h>

#include <span>
#include <string_view>

#include "core/ExtendedPrecision.h"
#include "core/FormatSettings.h"

namespace penmarrow {

// The settings the main window sets, with the regional forms pinned to the first of each.
inline TFormatSettings Pinned(int currencyFormat = 0, int negCurrFormat = 0) {
  TFormatSettings s;
  s.CurrencyString = u"$";
  s.ThousandSeparator = u',';
  s.DecimalSeparator = u'.';
  s.CurrencyFormat = currencyFormat;
  s.NegCurrFormat = negCurrFormat;
  return s;
}

struct WriteCase {
  Extended value;
  std::u16string_view text;
};

template <typename Write>
void ExpectWritten(std::span<const WriteCase> cases, Write write) {
  const TFormatSettings s = Pinned();
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.value));
    EXPECT_EQ(write(c.value, s), c.text);
  }
}

}  // namespace penmarrow
