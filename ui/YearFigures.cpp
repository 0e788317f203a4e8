#include "ui/YearFigures.h"

#include <algorithm>

namespace penmarrow::ui {

int HeldYears(const TChart& chart, int strategy) {
  const int first = strategy * SeriesPerStrategy;
  int held = chart.Series(first).Count();
  for (int series = first + 1; series < first + SeriesPerStrategy; ++series)
    held = std::min(held, chart.Series(series).Count());
  return held;
}

int ShownYears(const TChart& chart) {
  int years = 0;
  for (int strategy = 0; strategy < ShownStrategies(chart); ++strategy)
    years = std::max(years, HeldYears(chart, strategy));
  return years;
}

std::optional<YearFigures> FiguresAt(const TChart& chart, int strategy, int yearIndex) {
  if (yearIndex < 0 || yearIndex >= HeldYears(chart, strategy)) return std::nullopt;
  const int first = strategy * SeriesPerStrategy;
  return YearFigures{chart.Series(first).YValue(yearIndex),
                     chart.Series(first + 1).YValue(yearIndex),
                     chart.Series(first + 2).YValue(yearIndex)};
}

bool EveryStrategyHolds(const TChart& chart, int year) {
  for (int strategy = 0; strategy < ShownStrategies(chart); ++strategy)
    if (!FiguresAt(chart, strategy, year - 1)) return false;
  return true;
}

}  // namespace penmarrow::ui
