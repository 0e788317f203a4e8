#include "tests/ui/SoakModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/FrequencyTable.h"
#include "core/IntegerText.h"
#include "core/MoneyText.h"
#include "core/RateText.h"
#include "core/Rounding.h"
#include "tests/core/RecordingSeries.h"

namespace penmarrow::soak {
namespace {

FrequencyRow RowNamed(std::u16string_view name) {
  return LookupFrequency(name).value_or(FrequencyTable[0]);
}

StrategyInputs Strategy(const VisibleInputs& in, std::u16string_view compounding,
                        std::u16string_view deposit, int startLater) {
  const FrequencyRow row = RowNamed(compounding);
  StrategyInputs s;
  s.continuous = IsContinuous(compounding);
  s.subAnnual = row.SubAnnual;
  s.periodsPerYear = row.CountPerYear;
  s.startLater = startLater;
  s.initialDeposit = MoneyToInt64(in.initialDeposit, 0);
  s.regularDeposit = MoneyToInt64(deposit, 0);
  s.depositsPerYear = RowNamed(in.depositFrequency).CountPerYear;
  s.rate = RateToFloat(in.rate, 0);
  s.years = YearsOf(in.years);
  return s;
}

Captions TotalsOf(const Expectation& e, int first, int years) {
  const auto last = static_cast<std::size_t>(years - 1);
  const auto at = [&](int series) {
    return static_cast<Extended>(e.series[static_cast<std::size_t>(series)].values[last]);
  };
  const Extended initial = at(first);
  const Extended regular = at(first + 1);
  const Extended interest = at(first + 2);
  return {FormatMoney(initial), FormatMoney(regular), FormatMoney(interest),
          FormatMoney(initial + (regular + interest))};
}

// Projects one strategy into series first..first+2; false when it overflowed.
bool Project(const StrategyInputs& inputs, Expectation& e, int first) {
  const auto slot = [&](int i) -> SeriesPoints& {
    return e.series[static_cast<std::size_t>(first + i)];
  };
  RecordingSeries initial(slot(0).values, slot(0).labels), regular(slot(1).values, slot(1).labels),
      interest(slot(2).values, slot(2).labels);
  ProjectionState state;
  bool overflowed = false;
  try {
    ProjectStrategy(inputs, state, {initial, regular, interest});
  } catch (const EInvalidOp&) {
    overflowed = true;
  }
  slot(0) = {std::move(initial.values), std::move(initial.labels)};
  slot(1) = {std::move(regular.values), std::move(regular.labels)};
  slot(2) = {std::move(interest.values), std::move(interest.labels)};
  e.overflowed = e.overflowed || overflowed;
  // The totals are only rewritten after a whole projection, so an overflow leaves the old ones.
  if (!overflowed && inputs.years >= 1)
    e.totals[static_cast<std::size_t>(first / 3)] = TotalsOf(e, first, inputs.years);
  return !overflowed;
}

std::u16string Money(std::int64_t amount) { return FormatMoney(static_cast<Extended>(amount)); }

Captions HintColumn(const Expectation& e, int first, int year) {
  const auto value = [&](int series) {
    return Round(static_cast<Extended>(e.series[static_cast<std::size_t>(first + series)]
                                           .values[static_cast<std::size_t>(year - 1)]));
  };
  const std::int64_t initial = value(0), regular = value(1), interest = value(2);
  // The hint adds the rounded figures as 64-bit integers that wrap.
  const auto total = static_cast<std::int64_t>(static_cast<std::uint64_t>(initial) +
                                               static_cast<std::uint64_t>(regular) +
                                               static_cast<std::uint64_t>(interest));
  return {Money(initial), Money(regular), Money(interest), Money(total)};
}

bool Near(long double a, long double b, long double margin) { return std::fabs(a - b) < margin; }

}  // namespace

int YearsOf(std::u16string_view text) {
  const auto value = ReadInteger(text);
  if (!value || *value < std::numeric_limits<int>::min() ||
      *value > std::numeric_limits<int>::max())
    return 1;
  return static_cast<int>(*value);
}

Expectation Expect(const VisibleInputs& in, const Expectation& before) {
  Expectation e = before;
  e.overflowed = false;
  if (!in.alternative)
    for (int s = FirstAlternativeSeries; s < SeriesCount; ++s)
      e.series[static_cast<std::size_t>(s)] = {};
  e.yoursOverflowed = !Project(Strategy(in, in.compoundFrequency, in.regularDeposit, 0), e, 0);
  e.alternativeOverflowed =
      !e.yoursOverflowed && in.alternative &&
      !Project(Strategy(in, in.alternativeFrequency, in.alternativeDeposit, in.startLater), e,
               FirstAlternativeSeries);
  return e;
}

int HeldYears(const Expectation& e, int first) {
  std::size_t held = e.series[static_cast<std::size_t>(first)].values.size();
  for (int s = first + 1; s < first + 3; ++s)
    held = std::min(held, e.series[static_cast<std::size_t>(s)].values.size());
  return static_cast<int>(held);
}

int ShownYears(const Expectation& e, bool alternative) {
  return std::max(HeldYears(e, 0), alternative ? HeldYears(e, FirstAlternativeSeries) : 0);
}

bool HeldByAll(const Expectation& e, int year, bool alternative) {
  return year >= 1 && year <= HeldYears(e, 0) &&
         (!alternative || year <= HeldYears(e, FirstAlternativeSeries));
}

double TallestStack(const Expectation& e) {
  double tallest = 0;
  for (int s = 0; s < SeriesCount; ++s) {
    const int groupStart = s - s % 3;
    const auto& values = e.series[static_cast<std::size_t>(s)].values;
    for (std::size_t i = 0; i < values.size(); ++i) {
      double top = values[i];
      for (int below = s - 1; below >= groupStart; --below)
        if (i < e.series[static_cast<std::size_t>(below)].values.size())
          top += e.series[static_cast<std::size_t>(below)].values[i];
      tallest = std::max(tallest, top);
    }
  }
  return tallest;
}

HintFigures FiguresOfYear(const Expectation& e, int year, bool alternative) {
  HintFigures figures;
  const std::string digits = std::to_string(year);
  figures.title =
      u"After " + std::u16string(digits.begin(), digits.end()) + (year > 1 ? u" years" : u" year");
  figures.yours = HintColumn(e, 0, year);
  if (alternative) figures.alternative = HintColumn(e, FirstAlternativeSeries, year);
  return figures;
}

PointerYear YearAtPointer(double position, double value, double tallest, const Expectation& e,
                          int years, bool alternative) {
  // The pointer asks for the year 1.1 ahead of the bottom axis position, rounded; the last year
  // reaches 0.4 beyond its number, and the bars' height reaches 1.3 times the tallest stack.
  constexpr long double Margin = 0.02L;
  const long double p = static_cast<long double>(position) + 1.1L;
  const long double reach = static_cast<long double>(years) + 0.4L;
  const long double top = static_cast<long double>(tallest) * 1.3L;
  if (!std::isfinite(p) || !std::isfinite(static_cast<long double>(value))) return {};
  const long double fraction = p - std::floor(p);
  if (Near(p, 0.5L, Margin) || Near(p, reach, Margin) || Near(fraction, 0.5L, Margin) ||
      Near(value, top, 1e-9L * std::max(1.0L, std::fabs(top))))
    return {0, true};
  if (p <= 0.5L || p > reach || !(top > value)) return {};
  const int year = static_cast<int>(std::floor(p + 0.5L));
  // Past the last year shown, the hint's reach may end with the years the chart shows.
  const int shown = ShownYears(e, alternative);
  if (shown < years && year == shown && p > static_cast<long double>(shown) + 0.4L - Margin)
    return {0, true};
  if (!HeldByAll(e, year, alternative)) return {};
  return {year, false};
}

std::u16string MoneyAfterLeaving(std::u16string_view text) {
  return Money(MoneyToInt64(text.empty() ? std::u16string_view(u"0") : text, 0));
}

std::u16string RateAfterLeaving(std::u16string_view text) {
  return FormatRate(RateToFloat(text.empty() ? std::u16string_view(u"0") : text, 0));
}

}  // namespace penmarrow::soak
