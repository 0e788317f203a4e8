#pragma once
// The key rules of the entry fields: the text one key would produce, and whether a field accepts
// it. Texts and positions count UTF-16 code units, exactly as the edit control does.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/ExtendedPrecision.h"

namespace penmarrow {

inline constexpr char16_t Backspace = u'\b';

struct TKeyEdit {
  std::u16string Text;
  int Caret = 0;
  bool operator==(const TKeyEdit&) const = default;
};

// Inserts Key in place of the selection, or for backspace removes the selection or the character
// before the caret.
TKeyEdit CharKeyEdit(std::u16string_view text, int selStart, int selLength, char16_t key);

// Removes the selection, or the character after the caret.
TKeyEdit DeleteKeyEdit(std::u16string_view text, int selStart, int selLength);

// The largest amount a key may make, and the highest rate.
inline constexpr std::int64_t MoneyLimit = 999'999;
inline constexpr Extended RateLimit = 99.99L;

// Whole amounts up to MoneyLimit; an unreadable text fails.
bool MoneyTextAllowed(std::u16string_view text);

// Text that arrives other than by keys (a paste, a drop) must be one that typing could have
// made: digits and thousands separators with at most one currency string (the one the field
// showed), within MoneyTextAllowed.
bool MoneyPasteAllowed(std::u16string_view text);

// Rates from 0 to RateLimit, at most five characters when limitLength is set; an unreadable text
// fails.
bool RateTextAllowed(std::u16string_view text, bool limitLength);

// A pasted rate, like a typed one: digits and the decimal separator, at most five characters.
bool RatePasteAllowed(std::u16string_view text);

inline constexpr int RateMaxLength = 5;

}  // namespace penmarrow
