// RateToFloat against glibc's strtold, which rounds decimal text correctly to the nearest extended
// value, read in the "C" locale so that its decimal point is ".".

#include <gtest/gtest.h>

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "core/RateText.h"
#include "tests/core/FormatCases.h"

namespace penmarrow {
namespace {

constexpr Extended Unreadable = -1;

// What the reference makes of an ASCII text: the
// nearest value, or the default past the finite range.
Extended Reference(const std::string& text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  const Extended value = strtold_l(text.c_str(), nullptr, cLocale);
  return std::isfinite(value) ? value : Unreadable;
}

Extended Read(const std::string& text) {
  return RateToFloat(std::u16string(text.begin(), text.end()), Unreadable, Pinned());
}

void ExpectAsReference(const std::string& text) {
  const Extended expected = Reference(text);
  const Extended got = Read(text);
  EXPECT_TRUE(got == expected && std::signbit(got) == std::signbit(expected))
      << text.substr(0, 60) << (text.size() > 60 ? "..." : "") << ": got " << got << ", nearest "
      << expected;
}

TEST(RateToFloatRounding, LargeAndSmallPowersOfTenAreTheNearestValues) {
  const char* const texts[] = {
      "1e95",
      "1e99",
      "5e51",
      "9e59",
      "3e-28",
      "1.5e300",
      "1e4000",
      "7.7e-3000",
      "1e-4950",
      "3.6e-4951",
      "1.8e-4951",
      "1.9e-4951",
      "1e-4952",
      "1.18973149535723176502e4932",
      "1.18973149535723176508e4932",
      "1.18973149535723176505e4932",
      "3.36210314311209350626e-4932",
      "0.000001e4938",
      "123456789e-4940",
      "99.99",
      "-0",
      "-0.0e5",
      "18446744073709551615",
      "18446744073709551617",
      "36893488147419103231",
  };
  for (const char* text : texts) ExpectAsReference(text);
  EXPECT_GT(Read("1e-4950"), 0);
  EXPECT_EQ(Read("1e-4952"), 0);
  EXPECT_EQ(Read("1e4933"), Unreadable);
}

std::string RandomDigits(std::mt19937_64& random, std::size_t count) {
  std::uniform_int_distribution<int> digit(0, 9);
  std::string digits;
  for (std::size_t i = 0; i < count; ++i) digits.push_back(static_cast<char>('0' + digit(random)));
  return digits;
}

TEST(RateToFloatRounding, RandomDigitsAndExponentsOverTheWholeRange) {
  std::mt19937_64 random(20261209);
  std::uniform_int_distribution<std::size_t> digitCount(1, 45);
  std::uniform_int_distribution<int> anyExponent(-4995, 4960);
  std::uniform_int_distribution<int> nearEdge(-30, 30);
  std::uniform_int_distribution<int> edge(0, 2);
  for (int sample = 0; sample < 6000; ++sample) {
    const std::string digits = RandomDigits(random, digitCount(random));
    const std::size_t point = std::uniform_int_distribution<std::size_t>(0, digits.size())(random);
    const int edges[] = {anyExponent(random), -4950 + nearEdge(random), 4932 + nearEdge(random)};
    ExpectAsReference(digits.substr(0, point) + '.' + digits.substr(point) + 'e' +
                      std::to_string(edges[edge(random)]));
  }
}

// The exact decimal form of a finite non-negative value, as significant digits and the power of ten
// of the first of them. glibc prints every digit exactly.
struct ExactDecimal {
  std::string digits;
  int exponent;
};

ExactDecimal ExactForm(Extended value) {
  constexpr int Digits = 11600;  // more than any extended value has
  std::string text(Digits + 32, '\0');
  text.resize(static_cast<std::size_t>(
      std::snprintf(text.data(), text.size(), "%.*Le", Digits - 1, value)));
  const std::size_t e = text.find('e');
  return {text.substr(0, 1) + text.substr(2, e - 2), std::atoi(text.c_str() + e + 1)};
}

std::string Text(const ExactDecimal& d) {
  return "0." + d.digits + "e" + std::to_string(d.exponent + 1);
}

// Halfway between two values, by adding their digit strings and halving.
ExactDecimal Midpoint(ExactDecimal low, const ExactDecimal& high) {
  low.digits.insert(0, static_cast<std::size_t>(high.exponent - low.exponent), '0');
  low.digits.resize(
      high.digits.size());  // drops only trailing zeros: both forms have digits to spare
  std::string sum(high.digits.size() + 1, '0');
  int carry = 0;
  for (std::size_t i = high.digits.size(); i-- > 0;) {
    const int column = (low.digits[i] - '0') + (high.digits[i] - '0') + carry;
    sum[i + 1] = static_cast<char>('0' + column % 10);
    carry = column / 10;
  }
  sum[0] = static_cast<char>('0' + carry);
  std::string half;
  int rest = 0;
  for (const char digit : sum + "0") {
    const int value = rest * 10 + (digit - '0');
    half.push_back(static_cast<char>('0' + value / 2));
    rest = value % 2;
  }
  return {half, high.exponent + 1};
}

TEST(RateToFloatRounding, HalfwayPointsAndTheirNeighboursOverTheWholeRange) {
  std::mt19937_64 random(4951);
  std::uniform_int_distribution<int> binaryExponent(-16445 - 64, 16383 - 64);
  for (int sample = 0; sample < 150; ++sample) {
    const Extended low = std::ldexp(static_cast<Extended>(random() | 1), binaryExponent(random));
    const Extended high = std::nextafter(low, std::numeric_limits<Extended>::infinity());
    if (low == 0 || !std::isfinite(high)) continue;
    const ExactDecimal middle = Midpoint(ExactForm(low), ExactForm(high));
    ExactDecimal below = middle;
    below.digits.erase(below.digits.find_last_not_of('0') + 1);
    below.digits.back() = static_cast<char>(below.digits.back() - 1);
    below.digits += "999";
    // Past the digits that can decide, a non-zero digit must still tip a halfway value upwards.
    ExactDecimal barelyAbove = middle;
    barelyAbove.digits += std::string(12000, '0') + "1";
    for (const ExactDecimal& d : {ExactForm(low), middle, below, barelyAbove})
      ExpectAsReference(Text(d));
  }
}

}  // namespace
}  // namespace penmarrow
