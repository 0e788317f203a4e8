#pragma once
// The chart's keyboard cursor: while the chart has the focus, the arrow keys, Home and End (the
// row's ends), Page Up and Page Down (the first and last year) move a current cell through the
// chart's figures, laid out as a grid of one row per year shown: the year, then each shown
// strategy's initial deposit, regular deposits, total interest and total savings.

#include <QObject>
#include <QPoint>
#include <optional>

#include "ui/YearFigures.h"

namespace penmarrow::ui {

class ChartCursor : public QObject {
  Q_OBJECT

 public:
  static constexpr int FiguresPerStrategy = static_cast<int>(FigureNames.size());

  // The chart's one cursor, made on first use.
  static ChartCursor& Of(TChart& chart);

  int RowCount() const;
  int ColumnCount() const { return 1 + FiguresPerStrategy * StrategyCount(); }
  int StrategyCount() const;
  // The current cell as (column, row) within the grid as it now stands, or none before the first
  // move.
  std::optional<QPoint> Current() const;

 signals:
  void Moved(QPoint cell);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit ChartCursor(TChart& chart);
  std::optional<QPoint> Target(int key) const;

  TChart& chart_;
  std::optional<QPoint> current_;
};

}  // namespace penmarrow::ui
