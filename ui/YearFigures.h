#pragma once
// One year of one strategy as the chart's series hold it: the totals, the chart's table for
// screen readers, the copied figures and the tests all read the figures the same way.

#include <QString>
#include <array>

#include "core/ExtendedPrecision.h"
#include "ui/platform/SavingsChart.h"

namespace penmarrow::ui {

// The series' places (YourSeries, AlternativeSeries, YourInterest, ...) are named with the chart.

inline const std::array<QString, 2> StrategyNames{QStringLiteral("Your strategy"),
                                                  QStringLiteral("Alternative strategy")};
// The names of what YearFigures::Shown lists, in its order.
inline const std::array<QString, 4> FigureNames{
    QStringLiteral("Initial deposit"), QStringLiteral("Regular deposits"),
    QStringLiteral("Total interest"), QStringLiteral("Total savings")};

struct YearFigures {
  Extended initialDeposit;
  Extended regularDeposits;
  Extended totalInterest;
  Extended Total() const { return initialDeposit + (regularDeposits + totalInterest); }
  // In the order the totals panel and the chart's table show them.
  std::array<Extended, 4> Shown() const {
    return {initialDeposit, regularDeposits, totalInterest, Total()};
  }
};

inline YearFigures FiguresOf(const TChart& chart, int firstSeries, int yearIndex) {
  return {chart.Series(firstSeries).YValue(yearIndex),
          chart.Series(firstSeries + 1).YValue(yearIndex),
          chart.Series(firstSeries + 2).YValue(yearIndex)};
}

}  // namespace penmarrow::ui
