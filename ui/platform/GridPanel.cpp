#include "ui/platform/GridPanel.h"

#include <cmath>

namespace penmarrow::ui {

TGridPanel::TGridPanel(std::vector<double> columnPercents, std::vector<double> rowPercents,
                       QWidget* parent)
    : QWidget(parent), columns_(std::move(columnPercents)), rows_(std::move(rowPercents)) {}

void TGridPanel::AddCell(QWidget* control, int column, int row, QMargins margins,
                         Placement placement) {
  control->setParent(this);
  cells_.push_back({control, column, row, margins, placement});
}

std::vector<int> TGridPanel::Edges(const std::vector<double>& percents, int length) {
  std::vector<int> edges{0};
  double sum = 0;
  for (const double percent : percents) {
    sum += percent;
    edges.push_back(static_cast<int>(std::lround(sum / 100.0 * length)));
  }
  edges.back() = length;  // rounding never leaves a gap at the far edge
  return edges;
}

void TGridPanel::Arrange() {
  const std::vector<int> x = Edges(columns_, width());
  const std::vector<int> y = Edges(rows_, height());
  for (const Cell& cell : cells_) {
    if (!cell.control) continue;
    const auto column = static_cast<std::size_t>(cell.column);
    const auto row = static_cast<std::size_t>(cell.row);
    const QRect inner =
        QRect(QPoint(x[column], y[row]), QPoint(x[column + 1] - 1, y[row + 1] - 1)) - cell.margins;
    QRect placed = inner;
    if (cell.placement == Placement::LeftEdge) placed.setWidth(cell.control->sizeHint().width());
    cell.control->setGeometry(placed);
  }
}

void TGridPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

}  // namespace penmarrow::ui
