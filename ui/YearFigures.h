#pragma once
// One year of one strategy as the chart's series hold them, and which years the chart shows.
// After an overflow the two strategies' series may hold different numbers of years, or none: the
// totals, the year hint, the keyboard cursor, the chart's table for screen readers and the copied
// figures all read through here, so none reads a point the series do not hold.

#include <QString>
#include <array>
#include <optional>

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

// The alternative's stacks are shown while it is switched on, and its series are then in the
// legend.
inline bool AlternativeShown(const TChart& chart) {
  return chart.Series(AlternativeSeries).ShowInLegend();
}

inline int ShownStrategies(const TChart& chart) { return AlternativeShown(chart) ? 2 : 1; }

// The years for which all three series of a strategy (0 yours, 1 the alternative) hold a point.
int HeldYears(const TChart& chart, int strategy);

// The years the chart shows: as many as the shown strategy that holds the most.
int ShownYears(const TChart& chart);

// A strategy's figures of the year at yearIndex, or none where its series hold no point for it.
std::optional<YearFigures> FiguresAt(const TChart& chart, int strategy, int yearIndex);

// Whether every shown strategy holds the year (1 to the years shown).
bool EveryStrategyHolds(const TChart& chart, int year);

}  // namespace penmarrow::ui
