#include "core/IntegerText.h"

#include <algorithm>
#include <limits>

namespace penmarrow {
namespace {

int HexDigitValue(char16_t c) {
  if (IsDecimalDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Up to 16 significant hexadecimal digits, read as a 64-bit two's-complement pattern.
std::optional<std::uint64_t> ReadHex(std::u16string_view digits) {
  std::uint64_t pattern = 0;
  int significant = 0;
  for (const char16_t c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    if (pattern != 0 || digit != 0) ++significant;
    if (significant > 16) return std::nullopt;
    pattern = pattern << 4 | static_cast<std::uint64_t>(digit);
  }
  if (digits.empty()) return std::nullopt;
  return pattern;
}

// The magnitude of a decimal number, allowing 2^63 itself for the most negative value.
std::optional<std::uint64_t> ReadDecimal(std::u16string_view digits) {
  constexpr std::uint64_t Limit = std::uint64_t{1} << 63;
  std::uint64_t magnitude = 0;
  for (const char16_t c : digits) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    const std::uint64_t digit = c - u'0';
    if (magnitude > (Limit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  if (digits.empty()) return std::nullopt;
  return magnitude;
}

}  // namespace

std::optional<std::int64_t> ReadInteger(std::u16string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(u' '), text.size()));
  bool negative = false;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  std::size_t hexPrefix = 0;
  if (!text.empty() && (text[0] == u'$' || text[0] == u'x' || text[0] == u'X'))
    hexPrefix = 1;
  else if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
    hexPrefix = 2;

  if (hexPrefix > 0) {
    const auto pattern = ReadHex(text.substr(hexPrefix));
    if (!pattern) return std::nullopt;
    const std::uint64_t value = negative ? std::uint64_t{0} - *pattern : *pattern;
    return static_cast<std::int64_t>(value);
  }
  const auto magnitude = ReadDecimal(text);
  if (!magnitude) return std::nullopt;
  if (!negative &&
      *magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
    return std::nullopt;
  return static_cast<std::int64_t>(negative ? std::uint64_t{0} - *magnitude : *magnitude);
}

}  // namespace penmarrow
