#pragma once
// The projection of one savings strategy, year by year, into three series: initial deposit,
// regular deposits credited so far and interest earned so far.

#include <cstdint>
#include <string_view>

#include "core/ExtendedPrecision.h"

namespace penmarrow {

// Where the points go; the chart's bar series implement it.
class SeriesSink {
 public:
  virtual void Clear() = 0;
  virtual void Add(double value, std::u16string_view label) = 0;

 protected:
  ~SeriesSink() = default;
};

struct StrategySeries {
  SeriesSink& initialDeposit;
  SeriesSink& regularDeposits;
  SeriesSink& totalInterest;
};

struct StrategyInputs {
  bool continuous = false;           // compound frequency "Continuous"
  bool subAnnual = false;            // compounds more often than yearly
  std::int64_t periodsPerYear = 1;   // n
  std::int64_t startLater = 0;       // S, years before the strategy starts
  std::int64_t initialDeposit = 0;   // P
  std::int64_t regularDeposit = 0;   // a
  std::int64_t depositsPerYear = 1;  // k
  Extended rate = 0;                 // r, percent per year
  std::int32_t years = 1;            // Y
};

// The running state the projection keeps while it works; each projection sets it before reading it.
struct ProjectionState {
  Extended realInterest = 0;  // I
  Extended realDep = 0;       // D
};

// One hundredth and the base of continuous growth (2.71828, not e), as extended constants.
inline constexpr Extended Hundredth = 0xA3D70A3D70A3D70Ap-70L;
inline constexpr Extended GrowthBase = 0xADF84CAD57BC7F78p-62L;

// Clears the three series and adds one point per year. Throws EInvalidOp when an amount leaves the
// 64-bit range; the points added before it stay.
void ProjectStrategy(const StrategyInputs& inputs, ProjectionState& state,
                     const StrategySeries& out);

}  // namespace penmarrow
