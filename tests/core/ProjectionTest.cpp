#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/Projection.h"
#include "core/RateText.h"
#include "core/Rounding.h"
#include "tests/core/RecordingSeries.h"

namespace penmarrow {
namespace {

struct Projected {
  RecordingSeries initial, deposits, interest;
  ProjectionState state;
  void Run(const StrategyInputs& in) { ProjectStrategy(in, state, {initial, deposits, interest}); }
};

// The rate every case uses unless it says otherwise, read the way the window reads it.
const Extended FivePercent = RateToFloat(u"5.00", 0);

StrategyInputs Discrete(std::int64_t initial, std::int64_t regular, std::int64_t k, std::int64_t n,
                        std::int32_t years, Extended rate = FivePercent,
                        std::int64_t startLater = 0) {
  return {.continuous = false,
          .subAnnual = n > 1,
          .periodsPerYear = n,
          .startLater = startLater,
          .initialDeposit = initial,
          .regularDeposit = regular,
          .depositsPerYear = k,
          .rate = rate,
          .years = years};
}

StrategyInputs Continuous(std::int64_t initial, std::int64_t regular, std::int32_t years) {
  StrategyInputs in = Discrete(initial, regular, 1, 3650, years);
  in.continuous = true;
  return in;
}

using Values = std::vector<double>;
using Labels = std::vector<std::u16string>;

const Labels TenYears{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"};

struct SeriesCase {
  const char* name;
  StrategyInputs inputs;
  Values initial, deposits, interest;
  Labels labels;
};

const SeriesCase SeriesCases[] = {
    {"WindowDefaults",
     Discrete(1000, 100, 1, 1, 10),
     Values(10, 1000),
     {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000},
     {50, 108, 173, 247, 329, 420, 521, 632, 754, 887},
     TenYears},
    {"AlternativeDefaultRegular75",
     Discrete(1000, 75, 1, 1, 10),
     Values(10, 1000),
     {75, 150, 225, 300, 375, 450, 525, 600, 675, 750},
     {50, 106, 169, 239, 316, 400, 493, 594, 703, 822},
     TenYears},
    {"TieAt1050RoundsToEven", Discrete(1050, 0, 1, 1, 1), {1050}, {0}, {52}, {u"1"}},
    {"ThirtyLiesBelowTheTie", Discrete(30, 0, 1, 1, 1), {30}, {0}, {1}, {u"1"}},
    {"MonthlyDepositsMonthlyCompounding",
     Discrete(1000, 100, 12, 12, 3),
     {1000, 1000, 1000},
     {1200, 2400, 3600},
     {79, 224, 437},
     {u"1", u"2", u"3"}},
    {"AnnualDepositsMonthlyCompounding",
     Discrete(1000, 100, 1, 12, 3),
     {1000, 1000, 1000},
     {100, 200, 300},
     {52, 111, 178},
     {u"1", u"2", u"3"}},
    {"QuarterlyDepositsMonthlyCompounding",
     Discrete(1000, 100, 4, 12, 2),
     {1000, 1000},
     {400, 800},
     {60, 143},
     {u"1", u"2"}},
    {"StartLaterShowsTheFirstYearsLate",
     Discrete(1000, 75, 1, 1, 5, FivePercent, 2),
     {0, 0, 1000, 1000, 1000},
     {0, 0, 75, 150, 225},
     {0, 0, 50, 106, 169},
     {u"", u"", u"3", u"4", u"5"}},
    {"ContinuousShowsYearlyDepositsNotASum",
     Continuous(1000, 100, 3),
     {1000, 1000, 1000},
     {100, 100, 100},
     {51, 105, 162},
     {u"1", u"2", u"3"}},
    {"EmptyRateAnnual",
     Discrete(1000, 100, 1, 1, 3, RateToFloat(u"", 0)),
     {1000, 1000, 1000},
     {100, 200, 300},
     {0, 0, 0},
     {u"1", u"2", u"3"}},
    {"ZeroRateMonthly",
     Discrete(1000, 100, 12, 12, 3, RateToFloat(u"0", 0)),
     {1000, 1000, 1000},
     {1200, 2400, 3600},
     {0, 0, 0},
     {u"1", u"2", u"3"}},
    {"ZeroRateCompoundingMoreOftenThanDeposits",
     Discrete(1000, 100, 1, 12, 3, 0),
     {1000, 1000, 1000},
     {100, 200, 300},
     {0, 0, 0},
     {u"1", u"2", u"3"}},
    {"ZeroRateDailyCompoundingWeeklyDeposits",
     Discrete(1000, 100, 52, 365, 3, 0),
     {1000, 1000, 1000},
     {5200, 10400, 15600},
     {0, 0, 0},
     {u"1", u"2", u"3"}},
};

// A failing case is reported by its name, not by a dump of its bytes.
void PrintTo(const SeriesCase& c, std::ostream* os) { *os << c.name; }

class ProjectionSeries : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(ProjectionSeries, HoldsOnePointPerYearInEachSeries) {
  const SeriesCase& c = GetParam();
  Projected run;
  run.Run(c.inputs);
  EXPECT_EQ(run.initial.values, c.initial);
  EXPECT_EQ(run.deposits.values, c.deposits);
  EXPECT_EQ(run.interest.values, c.interest);
  EXPECT_EQ(run.initial.labels, c.labels);
  EXPECT_EQ(run.deposits.labels, c.labels);
  EXPECT_EQ(run.interest.labels, c.labels);
}

INSTANTIATE_TEST_SUITE_P(Strategies, ProjectionSeries, ::testing::ValuesIn(SeriesCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Projection, ContinuousGrowsOnTheInitialDepositAlone) {
  Projected run;
  run.Run(Continuous(1000, 0, 10));
  ASSERT_EQ(run.interest.values.size(), 10u);
  EXPECT_EQ(run.interest.values[0], 51);
  EXPECT_EQ(run.interest.values[1], 105);
  EXPECT_EQ(run.interest.values[2], 162);
  EXPECT_EQ(run.interest.values[9], 649);
  EXPECT_EQ(run.deposits.values, Values(10, 0));
  EXPECT_EQ(run.initial.labels, TenYears);
}

TEST(Projection, LeavingThe64BitRangeStopsAfterTheLastCompletedYear) {
  Projected run;
  const StrategyInputs in = Discrete(999'999, 0, 1, 1, 50, RateToFloat(u"99.99", 0));
  try {
    run.Run(in);
    FAIL() << "the projection should leave the 64-bit range";
  } catch (const EInvalidOp& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation");
  }
  EXPECT_EQ(run.initial.values.size(), 43u);
  EXPECT_EQ(run.deposits.values.size(), 43u);
  EXPECT_EQ(run.interest.values.size(), 43u);
  EXPECT_EQ(run.interest.labels.back(), u"43");
}

TEST(Projection, NothingCarriesOverFromEarlierProjections) {
  Projected fresh;
  fresh.Run(Discrete(1000, 100, 4, 12, 3));

  Projected reused;
  reused.state = {std::numeric_limits<Extended>::quiet_NaN(), 1e30L};
  reused.Run(Discrete(999'999, 999'999, 365, 365, 7));
  reused.state.realInterest = std::numeric_limits<Extended>::quiet_NaN();
  reused.Run(Discrete(1000, 100, 4, 12, 3));

  EXPECT_EQ(reused.initial.values, fresh.initial.values);
  EXPECT_EQ(reused.deposits.values, fresh.deposits.values);
  EXPECT_EQ(reused.interest.values, fresh.interest.values);
  EXPECT_EQ(reused.interest.labels, fresh.interest.labels);
}

TEST(Projection, UnroundedInterestOfYearTwoIsExact) {
  // The advance after the only year runs too, so the state holds year 2's interest.
  Projected run;
  run.Run(Discrete(1000, 100, 1, 1, 1));
  EXPECT_EQ(run.state.realInterest, 107.5L);
}

TEST(Projection, ContinuousGrowthTakesTheFiveDigitBase) {
  Projected run;  // with e for 2.71828, a billion would earn 648,721,271 in ten years
  run.Run(Continuous(1'000'000'000, 0, 10));
  EXPECT_EQ(run.interest.values[9], 648'720'716);
}

}  // namespace
}  // namespace penmarrow
