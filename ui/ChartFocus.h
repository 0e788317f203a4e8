#pragma once
// The chart's keyboard focus as a sighted user sees it: while the chart has the focus, a frame
// along its edge, and once the arrow keys have reached a cell, a frame around that cell's bars with
// the year hint showing that year's figures. Nothing of it shows until the chart has the focus.

#include <QFocusFrame>
#include <functional>
#include <optional>

#include "ui/platform/SavingsChart.h"

namespace penmarrow::ui {

// A focus frame, so screen readers pass over it; it lies over the whole chart and lets the mouse
// through. The copied chart leaves it out, as it leaves out every control over the chart.
class ChartFocus : public QFocusFrame {
  Q_OBJECT  // found among the chart's children by its own type

 public:
  // Fills the year hint with a year's figures and shows it below the given place on the screen.
  using ShowHint = std::function<void(int year, QRect bars)>;

  ChartFocus(TChart& chart, ShowHint showHint, std::function<void()> hideHint);

  // The bars of the cursor's cell in the chart's coordinates: one
  // segment, a strategy's stack (its total), or both stacks of the
  // year; none before the first arrow key or while the chart is empty.
  std::optional<QRectF> CellBars() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // CellBars with room for the frame drawn around them.
  std::optional<QRect> CellFrame() const;
  void Follow();
  void ShowCellHint();

  TChart& chart_;
  ShowHint showHint_;
  std::function<void()> hideHint_;
};

}  // namespace penmarrow::ui
