#pragma once
// The one process-wide record of number format settings that every money and rate text is
// read and written with.

#include <string>

namespace penmarrow {

struct TFormatSettings {
  std::u16string CurrencyString = u"$";
  char16_t ThousandSeparator = u',';
  char16_t DecimalSeparator = u'.';
  int CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  int NegCurrFormat = 0;   // the sixteen negative forms of the Windows regional settings
};

// Written once when the main window is created; read by every conversion.
TFormatSettings& FormatSettings();

}  // namespace penmarrow
