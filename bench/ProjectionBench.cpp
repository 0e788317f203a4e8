// The costliest projection the window can ask for,
// against the bare interest recurrence it is built on.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/Projection.h"

namespace {

using namespace penmarrow;

constexpr std::int32_t Years = 50;
constexpr std::int64_t DailyPeriods = 365;
// (n - 1) periods in the first year and n in each year's advance.
constexpr std::int64_t InterestSteps = (DailyPeriods - 1) + Years * DailyPeriods;

struct StoringSeries final : SeriesSink {
  std::vector<double> values;
  StoringSeries() { values.reserve(Years); }
  void Clear() override { values.clear(); }
  void Add(double value, std::u16string_view) override { values.push_back(value); }
};

// Daily compounding with deposits credited every period, or (k = 12, 52) at a spacing of periods.
void BM_ProjectDailyFiftyYears(benchmark::State& state) {
  const StrategyInputs in{.continuous = false,
                          .subAnnual = true,
                          .periodsPerYear = DailyPeriods,
                          .startLater = 0,
                          .initialDeposit = 1000,
                          .regularDeposit = 100,
                          .depositsPerYear = state.range(0),
                          .rate = 5,
                          .years = Years};
  StoringSeries initial, deposits, interest;
  ProjectionState running;
  for (auto _ : state) {
    ProjectStrategy(in, running, {initial, deposits, interest});
    benchmark::DoNotOptimize(interest.values.data());
    benchmark::ClobberMemory();
  }
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(InterestSteps),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ProjectDailyFiftyYears)
    ->ArgName("deposits_per_year")
    ->Arg(DailyPeriods)
    ->Arg(52)
    ->Arg(12);

// The interest step alone, with its period rate worked out once as the projection does. The
// deposits grow every step, as daily deposits are credited every period in the projection, so the
// deposit term is evaluated each time; nothing else happens between steps.
void BM_BareInterestSteps(benchmark::State& state) {
  Extended H = Hundredth, n = DailyPeriods, r = 5, P = 1000, increment = 100;
  benchmark::DoNotOptimize(H);
  benchmark::DoNotOptimize(n);
  benchmark::DoNotOptimize(r);
  benchmark::DoNotOptimize(P);
  benchmark::DoNotOptimize(increment);
  const Extended periodRate = (H / n) * r;
  for (auto _ : state) {
    Extended I = 0, D = 0;
    for (std::int64_t step = 0; step < InterestSteps; ++step) {
      D = increment + D;
      I = ((periodRate * I) + I) + ((((D + P) * H) / n) * r);
    }
    benchmark::DoNotOptimize(I);
  }
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(InterestSteps),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BareInterestSteps);

}  // namespace
