#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/MoneyText.h"
#include "tests/core/FormatCases.h"

namespace penmarrow {
namespace {

constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();

struct ReadCase {
  std::u16string_view text;
  std::optional<std::int64_t> value;  // nothing: the text does not read
};

const ReadCase ReadCases[] = {
    {u"$1,000", 1000},
    {u"$75", 75},
    {u"1000", 1000},
    {u" $1,000", 1000},
    {u"$,000", 0},
    {u"$1,0005", 10005},
    {u"$-5", -5},
    {u"+5", 5},
    {u"5$1,000", 51000},
    {u"$$10", 16},
    {u"x1F", 31},
    {u"X1f", 31},
    {u"0x10", 16},
    {u"$0X10", 16},
    {u"-x10", -16},
    {u"$$FFFFFFFFFFFFFFFF", -1},
    {u"$$8000000000000000", Int64Min},
    {u"$$0000000000000000001", 1},
    {u"9223372036854775807", Int64Max},
    {u"-9223372036854775808", Int64Min},
    {u"", std::nullopt},
    {u"$", std::nullopt},
    {u"$$", std::nullopt},
    {u"0x", std::nullopt},
    {u"$$10000000000000000", std::nullopt},
    {u"$1,000,000", std::nullopt},
    {u"$12,345,678", std::nullopt},
    {u"1,000 $", std::nullopt},
    {u"5 ", std::nullopt},
    {u"($5)", std::nullopt},
    {u"--5", std::nullopt},
    {u"abc", std::nullopt},
    {u"x1G", std::nullopt},
    {u"9223372036854775808", std::nullopt},
    {u"-9223372036854775809", std::nullopt},
    {u"\uFF11", std::nullopt},
};

TEST(MoneyToInt64, ReadsTheIntegerLeftAfterTheFirstCurrencyAndSeparator) {
  const TFormatSettings s = Pinned();
  for (const ReadCase& c : ReadCases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    // Two defaults tell the value read from the default handed back.
    EXPECT_EQ(MoneyToInt64(c.text, 1'000'000, s), c.value.value_or(1'000'000));
    EXPECT_EQ(MoneyToInt64(c.text, -7, s), c.value.value_or(-7));
  }
}

TEST(MoneyToInt64, ReadsTheCurrencyAndSeparatorFromTheSettings) {
  TFormatSettings s = Pinned();
  s.CurrencyString = u"EUR";
  s.ThousandSeparator = u'.';
  EXPECT_EQ(MoneyToInt64(u"EUR1.000", -1, s), 1000);
  EXPECT_EQ(MoneyToInt64(u"1.000EUR", -1, s), 1000);
  EXPECT_EQ(MoneyToInt64(u"$1,000", -1, s), -1);
}

TEST(FormatMoney, WritesWholeUnitsGroupedOrScientificFrom16Digits) {
  const WriteCase cases[] = {
      {0, u"$0"},
      {75, u"$75"},
      {1000, u"$1,000"},
      {999'999, u"$999,999"},
      {12'345'678, u"$12,345,678"},
      {999'999'999'999'999, u"$999,999,999,999,999"},
      {1'000'000'000'000'000, u"1E15"},
      {1'234'567'890'123'456, u"1.23456789012346E15"},
      {9'999'999'999'999'999, u"1E16"},
      {-1'000'000'000'000'000, u"-1E15"},
      {0.5L, u"$1"},
      {2.5L, u"$3"},
  };
  ExpectWritten(cases,
                [](Extended value, const TFormatSettings& s) { return FormatMoney(value, s); });
}

TEST(FormatMoney, PlacesTheCurrencyByCurrencyFormat) {
  const std::u16string_view forms[] = {u"$1,000", u"1,000$", u"$ 1,000", u"1,000 $"};
  for (int form = 0; form < 4; ++form)
    EXPECT_EQ(FormatMoney(1000, Pinned(form)), forms[form]) << "form " << form;
}

TEST(FormatMoney, WritesNegativeAmountsByNegCurrFormat) {
  const std::u16string_view forms[] = {
      u"($1,000)", u"-$1,000",  u"$-1,000",   u"$1,000-",   u"(1,000$)", u"-1,000$",
      u"1,000-$",  u"1,000$-",  u"-1,000 $",  u"-$ 1,000",  u"1,000 $-", u"$ 1,000-",
      u"$ -1,000", u"1,000- $", u"($ 1,000)", u"(1,000 $)",
  };
  for (int form = 0; form < 16; ++form) {
    // The negative form wins whatever the positive one is.
    EXPECT_EQ(FormatMoney(-1000, Pinned(3, form)), forms[form]) << "form " << form;
  }
}

class MoneyRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(MoneyRoundTrip, EveryFieldAmountReadsBack) {
  const TFormatSettings s = Pinned(GetParam());
  for (std::int64_t amount = 0; amount <= 999'999; ++amount) {
    if (MoneyToInt64(FormatMoney(static_cast<Extended>(amount), s), -1, s) != amount) {
      ADD_FAILURE() << "amount " << amount;
      break;
    }
  }
}

TEST_P(MoneyRoundTrip, TwoSeparatorsDoNotReadBack) {
  const TFormatSettings s = Pinned(GetParam());
  EXPECT_EQ(MoneyToInt64(FormatMoney(12'345'678, s), -1, s), -1);
}

INSTANTIATE_TEST_SUITE_P(CurrencyFormats, MoneyRoundTrip, ::testing::Values(0, 1, 2),
                         [](const auto& info) {
                           return "CurrencyFormat" + std::to_string(info.param);
                         });

TEST(MoneyRoundTrip, TrailingSpacedCurrencyNeverReadsBack) {
  const TFormatSettings s = Pinned(3);
  for (std::int64_t amount = 0; amount <= 999'999; ++amount) {
    if (MoneyToInt64(FormatMoney(static_cast<Extended>(amount), s), -1, s) != -1) {
      ADD_FAILURE() << "amount " << amount;
      break;
    }
  }
}

}  // namespace
}  // namespace penmarrow
