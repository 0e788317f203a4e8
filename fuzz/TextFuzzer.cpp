// Feeds arbitrary input to the text readers, writers and key rules and traps on any broken
// invariant. Layout: byte 0 selStart, byte 1 selLength (both signed), bytes 2-3 the key, byte 4 a
// selector for the currency forms, bytes 5-14 an extended value; everything from byte 5 on is also
// the text, taken as little-endian UTF-16 code units.

#include <locale.h>
#include <stdlib.h>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "core/FormatSettings.h"
#include "core/KeyEdit.h"
#include "core/MoneyText.h"
#include "core/RateText.h"
#include "core/Rounding.h"
#include "core/Selection.h"
#include "core/TextBoundaries.h"

namespace {

using namespace penmarrow;

constexpr std::size_t HeaderSize = 5;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

struct Input {
  int selStart = 0;
  int selLength = 0;
  char16_t key = 0;
  std::uint8_t selector = 0;
  std::u16string text;
  Extended value = 0;
  std::uint32_t amountSeed = 0;
};

Input Decode(const std::uint8_t* data, std::size_t size) {
  std::uint8_t header[HeaderSize] = {};
  std::memcpy(header, data, std::min(size, HeaderSize));
  Input in;
  in.selStart = static_cast<std::int8_t>(header[0]);
  in.selLength = static_cast<std::int8_t>(header[1]);
  in.key = static_cast<char16_t>(header[2] | header[3] << 8);
  in.selector = header[4];
  std::memcpy(&in.amountSeed, header, sizeof in.amountSeed);

  const std::uint8_t* body = data + std::min(size, HeaderSize);
  const std::size_t bodySize = size - std::min(size, HeaderSize);
  for (std::size_t i = 0; i + 1 < bodySize; i += 2)
    in.text.push_back(static_cast<char16_t>(body[i] | body[i + 1] << 8));

  // Built from a significand and an exponent so that
  // it is always a value x87 arithmetic can produce.
  std::uint8_t raw[10] = {};
  std::memcpy(raw, body, std::min<std::size_t>(bodySize, sizeof raw));
  std::uint64_t significand = 0;
  std::memcpy(&significand, raw, sizeof significand);
  const int exponentBits = raw[8] | (raw[9] & 0x3F) << 8;
  in.value = std::ldexp(static_cast<Extended>(significand), exponentBits - 8255);
  if (raw[9] & 0x40) in.value = -in.value;
  if ((raw[9] & 0x80) && (raw[8] & 3) == 1) in.value = std::numeric_limits<Extended>::infinity();
  if ((raw[9] & 0x80) && (raw[8] & 3) == 2) in.value = std::numeric_limits<Extended>::quiet_NaN();
  return in;
}

// The edit keeps everything before `from` and everything from `to` on, with `inserted` between.
void RequireSplice(const std::u16string& before, const TKeyEdit& edit, std::size_t from,
                   std::size_t to, std::size_t inserted) {
  Require(edit.Caret >= 0 && static_cast<std::size_t>(edit.Caret) <= edit.Text.size());
  Require(edit.Text.size() == before.size() - (to - from) + inserted);
  Require(edit.Text.compare(0, from, before, 0, from) == 0);
  Require(edit.Text.compare(from + inserted, std::u16string::npos, before, to) == 0);
}

void CheckKeyEdits(const Input& in) {
  const auto [start, length] = ClampSelection(in.text.size(), in.selStart, in.selLength);
  const TKeyEdit typed = CharKeyEdit(in.text, in.selStart, in.selLength, in.key);
  if (in.key != Backspace) {
    RequireSplice(in.text, typed, start, start + length, 1);
    Require(typed.Text[start] == in.key && static_cast<std::size_t>(typed.Caret) == start + 1);
  } else if (length > 0) {
    RequireSplice(in.text, typed, start, start + length, 0);
    Require(static_cast<std::size_t>(typed.Caret) == start);
  } else if (start > 0) {
    RequireSplice(in.text, typed, start - 1, start, 0);
    Require(static_cast<std::size_t>(typed.Caret) == start - 1);
  } else {
    Require(typed.Text == in.text && typed.Caret == 0);
  }

  const TKeyEdit deleted = DeleteKeyEdit(in.text, in.selStart, in.selLength);
  const std::size_t removed = length > 0 ? length : (start < in.text.size() ? 1 : 0);
  RequireSplice(in.text, deleted, start, start + removed, 0);
  Require(static_cast<std::size_t>(deleted.Caret) == start);

  MoneyTextAllowed(typed.Text);
  RateTextAllowed(typed.Text, true);
  RateTextAllowed(deleted.Text, false);
}

void CheckMoney(const Input& in, const TFormatSettings& pinned) {
  // A reader gives either the value it read or exactly the default it was handed.
  const std::int64_t a = MoneyToInt64(in.text, 1, pinned);
  const std::int64_t b = MoneyToInt64(in.text, 2, pinned);
  Require(a == b || (a == 1 && b == 2));

  TFormatSettings s = pinned;
  s.CurrencyFormat = in.selector % 3;
  const int readableNegative[] = {1, 2, 5, 12};
  s.NegCurrFormat = readableNegative[(in.selector / 3) % 4];
  const std::int64_t amount = in.amountSeed % 1'000'000;
  Require(MoneyToInt64(FormatMoney(static_cast<Extended>(amount), s), -1, s) == amount);
  Require(MoneyToInt64(FormatMoney(static_cast<Extended>(-amount), s), 1, s) == -amount);
  Require(!FormatMoney(in.value, pinned).empty());
}

// glibc's strtold in the "C" locale rounds decimal text correctly; its syntax takes in all of the
// rate syntax, so wherever both read a text they must agree, and where it reads all of a text but
// for trailing spaces, the rate reader must read it too (or give the default past the range).
void CheckRateAgainstReference(const std::u16string& text, Extended read, bool readable) {
  if (text.find_first_not_of(u"0123456789.eE+- ") != std::u16string::npos) return;
  const std::string ascii(text.begin(), text.end());
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  char* end = nullptr;
  const Extended reference = strtold_l(ascii.c_str(), &end, cLocale);
  if (readable) Require(read == reference);
  const std::size_t parsed = static_cast<std::size_t>(end - ascii.c_str());
  if (parsed > 0 && ascii.find_first_not_of(' ', parsed) == std::string::npos)
    Require(std::isfinite(reference) ? readable && read == reference : !readable);
}

void CheckRate(const Input& in, const TFormatSettings& pinned) {
  const Extended a = RateToFloat(in.text, -1, pinned);
  const Extended b = RateToFloat(in.text, -2, pinned);
  Require((a == b && std::isfinite(a)) || (a == -1 && b == -2));
  CheckRateAgainstReference(in.text, a, a == b);
  Require(!FormatRate(a, pinned).empty());
  Require(!FormatRate(in.value, pinned).empty());
  if (!in.text.empty() && RateTextAllowed(in.text, false)) {
    // What the field accepts is rewritten on leaving to
    // a text that reads back within half a hundredth.
    const Extended back = RateToFloat(FormatRate(a, pinned), -1, pinned);
    Require(back >= 0 && std::fabs(back - a) <= 0.0050001L);
  }
}

void CheckRound(const Input& in) {
  bool failed = false;
  std::int64_t rounded = 0;
  try {
    rounded = Round(in.value);
  } catch (const EInvalidOp&) {
    failed = true;
  }
  Require(RoundFits(in.value) == !failed);
  if (!failed) Require(std::fabs(static_cast<Extended>(rounded) - in.value) <= 0.5L);
}

// Every question a screen reader may ask of a field's text ends with a piece inside the text.
void CheckBoundaries(const Input& in) {
  const int size = static_cast<int>(in.text.size());
  const int offset = in.selStart;
  const auto boundary = static_cast<TextBoundary>(in.selector % 6);
  const TextSpan at = SpanAt(in.text, offset, boundary);
  for (const TextSpan& s :
       {at, SpanBefore(in.text, offset, boundary), SpanAfter(in.text, offset, boundary)})
    Require(0 <= s.start && s.start <= s.end && s.end <= size);
  Require(offset < 0 || offset >= size || (at.start <= offset && offset < at.end));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TFormatSettings pinned{.CurrencyString = u"$",
                               .ThousandSeparator = u',',
                               .DecimalSeparator = u'.',
                               .CurrencyFormat = 0,
                               .NegCurrFormat = 0};
  FormatSettings() = pinned;
  const Input in = Decode(data, size);
  CheckKeyEdits(in);
  CheckMoney(in, pinned);
  CheckRate(in, pinned);
  CheckRound(in);
  CheckBoundaries(in);
  return 0;
}
