#include "core/Projection.h"

#include <cmath>
#include <string>

#include "core/InterestPeriods.h"
#include "core/Rounding.h"

namespace penmarrow {
namespace {

struct YearValues {
  std::int64_t deposits = 0;  // Vd
  std::int64_t interest = 0;  // Vi
};

Extended ContinuousInterest(const StrategyInputs& in, Extended exponent) {
  return (std::pow(GrowthBase, exponent) - 1) * static_cast<Extended>(in.initialDeposit);
}

// Wraps like the 64-bit product it stands for instead of overflowing into undefined behaviour.
std::int64_t YearlyDeposits(const StrategyInputs& in) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(in.depositsPerYear) *
                                   static_cast<std::uint64_t>(in.regularDeposit));
}

YearValues FirstYear(const StrategyInputs& in, ProjectionState& state) {
  const std::int64_t ka = YearlyDeposits(in);
  YearValues v{ka, 0};
  state.realDep = static_cast<Extended>(ka);
  const Extended P = static_cast<Extended>(in.initialDeposit);
  if (in.continuous) {
    v.interest = Round(ContinuousInterest(in, Hundredth * in.rate));
    return v;
  }
  if (!in.subAnnual) {
    state.realInterest = (P * Hundredth) * in.rate;
  } else {
    const Extended n = static_cast<Extended>(in.periodsPerYear);
    // The first period earns on the initial deposit alone; one period's share of deposits counts
    // from then on.
    state.realInterest = ((P * Hundredth) * in.rate) / n;
    state.realDep = static_cast<Extended>(ka) / n;
    RunPeriods(in, state, in.periodsPerYear - 1, static_cast<Extended>(ka) / n, false);
  }
  v.interest = Round(state.realInterest);
  state.realDep = static_cast<Extended>(ka);
  return v;
}

void AdvanceYear(const StrategyInputs& in, ProjectionState& state, std::int32_t year,
                 YearValues& v) {
  if (in.continuous) {
    v.interest =
        Round(ContinuousInterest(in, (Hundredth * in.rate) * static_cast<Extended>(year + 1)));
    return;
  }
  const Extended n = static_cast<Extended>(in.periodsPerYear);
  const Extended increment =
      (static_cast<Extended>(in.depositsPerYear) / n) * static_cast<Extended>(in.regularDeposit);
  RunPeriods(in, state, in.periodsPerYear, increment, true);
  v.interest = Round(state.realInterest);
  v.deposits = Round(state.realDep);
}

}  // namespace

void ProjectStrategy(const StrategyInputs& in, ProjectionState& state, const StrategySeries& out) {
  YearValues values = FirstYear(in, state);
  out.initialDeposit.Clear();
  out.regularDeposits.Clear();
  out.totalInterest.Clear();
  for (std::int32_t year = 1; year <= in.years; ++year) {
    if (year <= in.startLater) {
      out.initialDeposit.Add(0, u"");
      out.regularDeposits.Add(0, u"");
      out.totalInterest.Add(0, u"");
      continue;
    }
    const std::string digits = std::to_string(year);
    const std::u16string label(digits.begin(), digits.end());
    out.initialDeposit.Add(static_cast<double>(in.initialDeposit), label);
    out.regularDeposits.Add(static_cast<double>(values.deposits), label);
    out.totalInterest.Add(static_cast<double>(values.interest), label);
    AdvanceYear(in, state, year, values);
  }
}

}  // namespace penmarrow
