#include "core/Projection.h"

#include <algorithm>
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
  // in later years, the deposits); only the last rounding is kept, so the others only check the range.
  // Between two credits the deposits stand still, so their interest is worked out once per credit; and
  // where the amounts can only grow, the last period shows whether any period left the range.
  void Run(std::int64_t count, Extended increment, bool roundDeposits) {
    Extended I = I_;
    // The deposits credited so far are the pending ones as of the last credit; the last period credits.
    Extended pending = D_;
    Extended depositInterest = DepositInterest(pending);
    const std::int64_t periodsPerCredit = PeriodsPerCredit(count);
    const std::int64_t periodsPerCheck = OnlyGrows(I, pending, increment) ? count : 1;
    std::int64_t nextCredit = std::min(periodsPerCredit, count);
    std::int64_t nextCheck = std::min(periodsPerCheck, count);
    bool fits = true;
    for (std::int64_t period = 1; period <= count && fits; ++period) {
      I = ((periodRate_ * I) + I) + depositInterest;
      pending = increment + pending;
      const bool credit = period == nextCredit;
      if (credit) {
        depositInterest = DepositInterest(pending);
        nextCredit += std::min(periodsPerCredit, count - period);
      }
      // Between credits the deposits keep the value checked at the last one.
      if (period == nextCheck) {
        fits = RoundFits(I) && (!roundDeposits || !credit || RoundFits(pending));
        nextCheck += std::min(periodsPerCheck, count - period);
      }
    }
    if (!fits) throw EInvalidOp();
    I_ = I;
    D_ = pending;
  }

 private:
  Extended DepositInterest(Extended D) const { return (((initial_ + D) * Hundredth) / n_) * rate_; }

  // A credit comes once spacing <= periods since the last credit + 1, that is after ceil(spacing) - 1
  // periods, at least one; and always with the last period.
  std::int64_t PeriodsPerCredit(std::int64_t count) const {
    const Extended periods = std::ceil(spacing_) - 1;
    if (!(periods < static_cast<Extended>(count))) return count;
    return periods < 1 ? 1 : static_cast<std::int64_t>(periods);
  }

  // Each period then adds a non-negative amount to the interest and to the pending deposits, so once
  // either has left the range it stays out of it (or becomes NaN).
  bool OnlyGrows(Extended I, Extended D, Extended increment) const {
    return n_ > 0 && periodRate_ >= 0 && rate_ >= 0 && initial_ >= 0 && I >= 0 && D >= 0 && increment >= 0;
  }

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
