#include "ui/ChartCursor.h"

#include <QKeyEvent>
#include <algorithm>

namespace penmarrow::ui {

ChartCursor& ChartCursor::Of(TChart& chart) {
  auto* cursor = chart.findChild<ChartCursor*>(QString(), Qt::FindDirectChildrenOnly);
  return cursor ? *cursor : *new ChartCursor(chart);
}

ChartCursor::ChartCursor(TChart& chart) : QObject(&chart), chart_(chart) {
  chart.installEventFilter(this);
  // A cell the chart no longer shows gives way to the nearest one for good: the chart growing
  // again later does not bring back a cell the user saw replaced.
  connect(&chart, &QCustomPlot::afterReplot, this, [this] {
    if (Current()) current_ = Current();
  });
}

int ChartCursor::RowCount() const { return ShownYears(chart_); }

int ChartCursor::StrategyCount() const { return ShownStrategies(chart_); }

std::optional<QPoint> ChartCursor::Current() const {
  if (!current_ || RowCount() == 0) return std::nullopt;
  return QPoint(std::min(current_->x(), ColumnCount() - 1),
                std::min(current_->y(), RowCount() - 1));
}

bool ChartCursor::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::KeyPress || RowCount() == 0) return false;
  const auto target = Target(static_cast<QKeyEvent*>(event)->key());
  if (!target) return false;
  current_ = *target;
  emit Moved(*target);
  return true;
}

std::optional<QPoint> ChartCursor::Target(int key) const {
  const QPoint last(ColumnCount() - 1, RowCount() - 1);
  QPoint to = Current().value_or(QPoint(-1, -1));
  switch (key) {
    case Qt::Key_Left: to.rx() -= 1; break;
    case Qt::Key_Right: to.rx() += 1; break;
    case Qt::Key_Up: to.ry() -= 1; break;
    case Qt::Key_Down: to.ry() += 1; break;
    case Qt::Key_Home: to.rx() = 0; break;
    case Qt::Key_End: to.rx() = last.x(); break;
    case Qt::Key_PageUp: to.ry() = 0; break;
    case Qt::Key_PageDown: to.ry() = last.y(); break;
    default: return std::nullopt;
  }
  return QPoint(std::clamp(to.x(), 0, last.x()), std::clamp(to.y(), 0, last.y()));
}

}  // namespace penmarrow::ui
