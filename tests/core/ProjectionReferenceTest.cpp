// The projection against a literal transcription of its steps: one period at a time, the credit
// test in extended precision, every rounding made, over random strategies including ones that leave
// the 64-bit range, negative rates and amounts, and frequencies the window does not offer.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "core/Projection.h"
#include "core/Rounding.h"
#include "tests/core/RecordingSeries.h"

namespace penmarrow {
namespace {

struct Points {
  std::vector<double> initial, deposits, interest;
  bool failed = false;
};

Points Projected(const StrategyInputs& in) {
  RecordingSeries initial, deposits, interest;
  ProjectionState state;
  bool failed = false;
  try {
    ProjectStrategy(in, state, {initial, deposits, interest});
  } catch (const EInvalidOp&) {
    failed = true;
  }
  return {std::move(initial.values), std::move(deposits.values), std::move(interest.values),
          failed};
}

class LiteralProjection {
 public:
  explicit LiteralProjection(const StrategyInputs& in)
      : in_(in),
        n_(static_cast<Extended>(in.periodsPerYear)),
        P_(static_cast<Extended>(in.initialDeposit)) {}

  Points Run() {
    Points p;
    try {
      Project(p);
    } catch (const EInvalidOp&) {
      p.failed = true;
    }
    return p;
  }

 private:
  void Project(Points& p) {
    const std::int64_t ka =
        static_cast<std::int64_t>(static_cast<std::uint64_t>(in_.depositsPerYear) *
                                  static_cast<std::uint64_t>(in_.regularDeposit));
    std::int64_t Vd = ka, Vi = 0;
    D_ = static_cast<Extended>(ka);
    if (in_.continuous) {
      Vi = Round((std::pow(GrowthBase, Hundredth * in_.rate) - 1) * P_);
    } else if (!in_.subAnnual) {
      I_ = (P_ * Hundredth) * in_.rate;
      Vi = Round(I_);
    } else {
      I_ = ((P_ * Hundredth) * in_.rate) / n_;
      D_ = static_cast<Extended>(ka) / n_;
      Periods(in_.periodsPerYear - 1, static_cast<Extended>(ka) / n_, Vi, nullptr);
    }
    if (!in_.continuous) D_ = static_cast<Extended>(ka);
    for (std::int32_t y = 1; y <= in_.years; ++y) {
      const bool active = y > in_.startLater;
      p.initial.push_back(active ? static_cast<double>(in_.initialDeposit) : 0);
      p.deposits.push_back(active ? static_cast<double>(Vd) : 0);
      p.interest.push_back(active ? static_cast<double>(Vi) : 0);
      if (!active) continue;
      if (in_.continuous) {
        Vi = Round(
            (std::pow(GrowthBase, (Hundredth * in_.rate) * static_cast<Extended>(y + 1)) - 1) * P_);
      } else {
        const Extended increment = (static_cast<Extended>(in_.depositsPerYear) / n_) *
                                   static_cast<Extended>(in_.regularDeposit);
        Periods(in_.periodsPerYear, increment, Vi, &Vd);
      }
    }
  }

  void Periods(std::int64_t count, Extended increment, std::int64_t& Vi, std::int64_t* Vd) {
    const Extended w = in_.periodsPerYear > in_.depositsPerYear
                           ? n_ / static_cast<Extended>(in_.depositsPerYear)
                           : 1;
    Extended c = 0, T = D_;
    for (std::int64_t i = 1; i <= count; ++i) {
      I_ =
          ((((Hundredth / n_) * in_.rate) * I_) + I_) + ((((P_ + D_) * Hundredth) / n_) * in_.rate);
      Vi = Round(I_);
      T = increment + T;
      c = c + 1;
      if (w <= c + 1 || i == count) {
        D_ = T;
        c = 0;
      }
      if (Vd) *Vd = Round(D_);
    }
  }

  const StrategyInputs& in_;
  const Extended n_;
  const Extended P_;
  Extended I_ = 0, D_ = 0;
};

StrategyInputs RandomStrategy(std::mt19937_64& random) {
  const std::int64_t offered[] = {1, 4, 12, 52, 365};
  const std::int64_t unusual[] = {2, 3, 7, 100, 730, 1000};
  auto frequency = [&] {
    return random() % 4 != 0 ? offered[random() % 5] : unusual[random() % 6];
  };
  auto amount = [&]() -> std::int64_t {
    switch (random() % 4) {
      case 0: return 0;
      case 1: return static_cast<std::int64_t>(random() % 1'000'000);
      case 2: return -static_cast<std::int64_t>(random() % 1'000'000);
      default: return static_cast<std::int64_t>(random() >> (random() % 64));
    }
  };
  StrategyInputs in;
  in.continuous = random() % 16 == 0;
  in.periodsPerYear = frequency();
  in.depositsPerYear = frequency();
  in.subAnnual = in.periodsPerYear > 1;  // as every caller passes it
  in.startLater = random() % 3 == 0 ? static_cast<std::int64_t>(random() % 50) : 0;
  in.initialDeposit = amount();
  in.regularDeposit = amount();
  const Extended hundredths = static_cast<Extended>(random() % 1'000'000) / 100;
  in.rate = random() % 4 == 0 ? -hundredths : random() % 3 == 0 ? hundredths * 100 : hundredths;
  in.years = static_cast<std::int32_t>(1 + random() % 50);
  if (random() % 4 == 0) {
    // A period rate near -1.5 makes the interest swing
    // in sign, out of the range and back within a year.
    in.rate =
        -static_cast<Extended>(100 + random() % 300) * static_cast<Extended>(in.periodsPerYear);
    in.initialDeposit = static_cast<std::int64_t>(random() >> 2) * (random() % 2 == 0 ? 1 : -1);
  }
  return in;
}

TEST(ProjectionAgainstLiteralSteps, RandomStrategiesGiveTheSamePointsAndFailures) {
  std::mt19937_64 random(18614);
  int failures = 0;
  for (int sample = 0; sample < 4000; ++sample) {
    const StrategyInputs in = RandomStrategy(random);
    const Points expected = LiteralProjection(in).Run();
    const Points got = Projected(in);
    failures += expected.failed;
    SCOPED_TRACE(testing::Message()
                 << "n " << in.periodsPerYear << " k " << in.depositsPerYear << " P "
                 << in.initialDeposit << " a " << in.regularDeposit << " r " << in.rate << " Y "
                 << in.years << " S " << in.startLater);
    ASSERT_EQ(got.failed, expected.failed);
    ASSERT_EQ(got.initial, expected.initial);
    ASSERT_EQ(got.deposits, expected.deposits);
    ASSERT_EQ(got.interest, expected.interest);
  }
  EXPECT_GT(failures, 400);
  EXPECT_LT(failures, 3600);
}

}  // namespace
}  // namespace penmarrow
