#include <gtest/gtest.h>

#include <vector>

#include "core/Projection.h"
#include "core/Rounding.h"

namespace penmarrow {
namespace {

struct RecordingSeries final : SeriesSink {
  std::vector<double> values;
  std::vector<std::u16string> labels;
  void Clear() override { values.clear(); labels.clear(); }
  void Add(double value, std::u16string_view label) override { values.push_back(value); labels.emplace_back(label); }
};

TEST(Projection, DefaultStrategy) {
  RecordingSeries p, d, i;
  ProjectionState st;
  StrategyInputs in;
  in.initialDeposit = 1000; in.regularDeposit = 100; in.rate = 5; in.years = 10;
  ProjectStrategy(in, st, {p, d, i});
  EXPECT_EQ(i.values, (std::vector<double>{50, 108, 173, 247, 329, 420, 521, 632, 754, 887}));
}

}  // namespace
}  // namespace penmarrow
