#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/RateText.h"
#include "tests/core/FormatCases.h"

namespace penmarrow {
namespace {

std::string Narrow(std::u16string_view text) {
  if (text.size() <= 40) return std::string(text.begin(), text.end());
  std::string shortened = std::to_string(text.size());
  shortened += " units";
  return shortened;
}

struct ReadCase {
  std::u16string text;
  std::optional<Extended> value;  // nothing: the text does not read
};

const ReadCase ReadCases[] = {
    {u"5.00", 5},
    {u"99.99", 99.99L},
    {u" 7 ", 7},
    {u"1e2", 100},
    {u"2.5E1", 25},
    {u"1E-2", 0.01L},
    {u".", 0},
    {u".5", 0.5L},
    {u"5.", 5},
    {u"5E", 5},
    {u"007", 7},
    {u"+5.5", 5.5L},
    {u"  -0.25  ", -0.25L},
    {u"1e-5000", 0},
    {u"0e99999999999999999999", 0},
    {u"1e-99999999999999999999", 0},
    {u"5,5", std::nullopt},
    {u"5.5.5", std::nullopt},
    {u"1,000.00", std::nullopt},
    {u"", std::nullopt},
    {u" ", std::nullopt},
    {u"-", std::nullopt},
    {u"e5", std::nullopt},
    {u"5 .5", std::nullopt},
    {u"--5", std::nullopt},
    {u"0x10", std::nullopt},
    {u"5e1.5", std::nullopt},
    {u"\u0661", std::nullopt},
    {u"1e5000", std::nullopt},
    {u"1e99999999999999999999", std::nullopt},
    {std::u16string(1 << 20, u'9'), std::nullopt},
    {std::u16string(1 << 20, u'0'), 0},
    {u"0." + std::u16string(1 << 20, u'0') + u"1", 0},
    {u"1e" + std::u16string(1 << 20, u'9'), std::nullopt},
    {u"1e-" + std::u16string(1 << 20, u'9'), 0},
};

TEST(RateToFloat, ReadsDecimalTextsAndGivesTheDefaultOtherwise) {
  const TFormatSettings s = Pinned();
  for (const ReadCase& c : ReadCases) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(RateToFloat(c.text, -1, s), c.value.value_or(-1));
    EXPECT_EQ(RateToFloat(c.text, 42, s), c.value.value_or(42));
  }
}

TEST(RateToFloat, NinetyNineNinetyNineIsOneDivisionOfItsDigits) {
  EXPECT_EQ(RateToFloat(u"99.99", -1, Pinned()), 9999.0L / 100.0L);
}

TEST(RateToFloat, UsesTheDecimalSeparatorOfTheSettings) {
  TFormatSettings s = Pinned();
  s.DecimalSeparator = u',';
  EXPECT_EQ(RateToFloat(u"5,5", -1, s), 5.5L);
  EXPECT_EQ(RateToFloat(u"5.5", -1, s), -1);
}

TEST(FormatRate, WritesTwoDecimalsJudgingHalvesOnEighteenDigits) {
  const WriteCase cases[] = {
      {5, u"5.00"},
      {0, u"0.00"},
      {99.99L, u"99.99"},
      {5.001L, u"5.00"},
      {5.005L, u"5.01"},
      {2.675L, u"2.68"},
      {0.125L, u"0.13"},
      {0.995L, u"1.00"},
      {1234, u"1,234.00"},
      {-5, u"-5.00"},
      {-0.001L, u"0.00"},
      {-0.005L, u"-0.01"},
      {999'999'999'999'999, u"999,999,999,999,999.00"},
      {1'000'000'000'000'000, u"1E15"},
  };
  ExpectWritten(cases,
                [](Extended value, const TFormatSettings& s) { return FormatRate(value, s); });
}

TEST(FormatRate, UsesTheSeparatorsOfTheSettings) {
  TFormatSettings s = Pinned();
  s.ThousandSeparator = u'.';
  s.DecimalSeparator = u',';
  EXPECT_EQ(FormatRate(1234.5L, s), u"1.234,50");
}

}  // namespace
}  // namespace penmarrow
