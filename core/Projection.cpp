#include "core/Projection.h"

#include <cmath>
#include <string>

#include "core/Rounding.h"

namespace penmarrow {
namespace {

// One year's work of a discrete projection: interest every period, deposits credited at a fixed
// spacing of periods. The parentheses fix the order of evaluation.
class DiscreteYear {
 public:
  DiscreteYear(const StrategyInputs& in, ProjectionState& state)
      : n_(static_cast<Extended>(in.periodsPerYear)),
        periodRate_((Hundredth / n_) * in.rate),
        rate_(in.rate),
        initial_(static_cast<Extended>(in.initialDeposit)),
        spacing_(in.periodsPerYear > in.depositsPerYear
                     ? static_cast<Extended>(in.periodsPerYear) / static_cast<Extended>(in.depositsPerYear)
                     : 1),
        I_(state.realInterest),
        D_(state.realDep) {}

  // Runs `count` periods, the last of which always credits. Every period rounds the interest (and,
  // in later years, the deposits); only the last rounding is kept, so earlier ones only check the range.
  void Run(std::int64_t count, Extended increment, bool roundDeposits) {
    Extended I = I_;
    Extended D = D_;
    Extended pending = D;
    Extended sinceCredit = 0;
    std::int64_t period = 1;
    for (; period <= count; ++period) {
      I = ((periodRate_ * I) + I) + ((((initial_ + D) * Hundredth) / n_) * rate_);
      if (!RoundFits(I)) break;
      pending = increment + pending;
      sinceCredit = sinceCredit + 1;
      if (spacing_ <= sinceCredit + 1 || period == count) {
        D = pending;
        sinceCredit = 0;
      }
      if (roundDeposits && !RoundFits(D)) break;
    }
    // A call inside the loop would make the compiler keep the running sums in memory, so the rounding
    // that raises the error is made only once the loop has been left early.
    if (period <= count) {
      Round(I);
      Round(D);
    }
    I_ = I;
    D_ = D;
  }

 private:
  const Extended n_;
  const Extended periodRate_;
  const Extended rate_;
  const Extended initial_;
  const Extended spacing_;
  Extended& I_;
  Extended& D_;
};

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
    // The first period earns on the initial deposit alone; one period's share of deposits counts from then on.
    state.realInterest = ((P * Hundredth) * in.rate) / n;
    state.realDep = static_cast<Extended>(ka) / n;
    DiscreteYear(in, state).Run(in.periodsPerYear - 1, static_cast<Extended>(ka) / n, false);
  }
  v.interest = Round(state.realInterest);
  state.realDep = static_cast<Extended>(ka);
  return v;
}

void AdvanceYear(const StrategyInputs& in, ProjectionState& state, std::int32_t year, YearValues& v) {
  if (in.continuous) {
    v.interest = Round(ContinuousInterest(in, (Hundredth * in.rate) * static_cast<Extended>(year + 1)));
    return;
  }
  const Extended n = static_cast<Extended>(in.periodsPerYear);
  const Extended increment = (static_cast<Extended>(in.depositsPerYear) / n) * static_cast<Extended>(in.regularDeposit);
  DiscreteYear(in, state).Run(in.periodsPerYear, increment, true);
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
