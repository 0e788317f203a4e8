#include "core/InterestPeriods.h"

#include <algorithm>
#include <cmath>

#include "core/Rounding.h"

namespace penmarrow {
namespace {

// The parentheses fix the order of evaluation.
class Periods {
 public:
  Periods(const StrategyInputs& in, ProjectionState& state)
      : in_(in),
        n_(static_cast<Extended>(in.periodsPerYear)),
        periodRate_((Hundredth / n_) * in.rate),
        spacing_(in.periodsPerYear > in.depositsPerYear
                     ? n_ / static_cast<Extended>(in.depositsPerYear)
                     : 1),
        I_(state.realInterest),
        D_(state.realDep) {}

  // Between two credits the deposits stand still, so the loop runs from one stop to the next (a
  // credit or a range check) and works out their interest at each credit; where the amounts can
  // only grow, the last period shows whether any period left the range, so that is the only check.
  void Run(std::int64_t count, Extended increment, bool roundDeposits) {
    Extended I = I_;
    Extended pending = D_;  // the deposits accrued so far, credited as of the last credit
    Extended depositInterest = DepositInterest(pending);
    const std::int64_t periodsPerCredit = PeriodsPerCredit(count);
    const std::int64_t periodsPerCheck = OnlyGrows(I, pending, increment) ? count : 1;
    std::int64_t nextCredit = std::min(periodsPerCredit, count);
    std::int64_t nextCheck = std::min(periodsPerCheck, count);
    for (std::int64_t period = 0; period < count;) {
      const std::int64_t stop = std::min(nextCredit, nextCheck);
      for (; period < stop; ++period) {
        I = ((periodRate_ * I) + I) + depositInterest;
        pending = increment + pending;
      }
      const bool credit = stop == nextCredit;
      if (credit) {
        depositInterest = DepositInterest(pending);
        nextCredit += std::min(periodsPerCredit, count - period);
      }
      if (stop == nextCheck) {
        // Between credits the deposits keep the value checked at the last one.
        if (!RoundFits(I) || (roundDeposits && credit && !RoundFits(pending))) throw EInvalidOp();
        nextCheck += std::min(periodsPerCheck, count - period);
      }
    }
    I_ = I;
    D_ = pending;
  }

 private:
  Extended DepositInterest(Extended D) const {
    return (((D + static_cast<Extended>(in_.initialDeposit)) * Hundredth) / n_) * in_.rate;
  }

  // A credit comes once spacing <= periods since the last credit + 1, that is after
  // ceil(spacing) - 1 periods, at least one; and always with the last period.
  std::int64_t PeriodsPerCredit(std::int64_t count) const {
    const Extended periods = std::ceil(spacing_) - 1;
    if (!(periods < static_cast<Extended>(count))) return count;
    return periods < 1 ? 1 : static_cast<std::int64_t>(periods);
  }

  // Each period then adds a non-negative amount to the interest and to the pending deposits, so
  // once either has left the range it stays out of it (or becomes NaN).
  bool OnlyGrows(Extended I, Extended D, Extended increment) const {
    return n_ > 0 && periodRate_ >= 0 && in_.rate >= 0 && in_.initialDeposit >= 0 && I >= 0 &&
           D >= 0 && increment >= 0;
  }

  const StrategyInputs& in_;
  const Extended n_;
  const Extended periodRate_;
  const Extended spacing_;
  Extended& I_;
  Extended& D_;
};

}  // namespace

void RunPeriods(const StrategyInputs& in, ProjectionState& state, std::int64_t count,
                Extended increment, bool roundDeposits) {
  Periods(in, state).Run(count, increment, roundDeposits);
}

}  // namespace penmarrow
