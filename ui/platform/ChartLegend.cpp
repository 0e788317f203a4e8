#include "ui/platform/ChartLegend.h"

#include <algorithm>

#include "ui/platform/ChartSeries.h"

namespace penmarrow::ui {

std::vector<std::vector<QCPAbstractLegendItem*>> TChartLegend::Rows() const {
  std::vector<std::vector<QCPAbstractLegendItem*>> rows;
  for (int i = 0; i < itemCount(); ++i) {
    QCPAbstractLegendItem* legendItem = item(i);
    if (!legendItem) continue;  // an empty cell of the underlying grid
    if (rows.empty() || static_cast<int>(rows.back().size()) == rowLength_) rows.emplace_back();
    rows.back().push_back(legendItem);
  }
  return rows;
}

int TChartLegend::Width(const std::vector<QCPAbstractLegendItem*>& row, int gap) const {
  int width = -gap;
  for (QCPAbstractLegendItem* legendItem : row)
    width += legendItem->minimumOuterSizeHint().width() + gap;
  return width;
}

int TChartLegend::Height(const std::vector<QCPAbstractLegendItem*>& row) const {
  int height = 0;
  for (QCPAbstractLegendItem* legendItem : row)
    height = std::max(height, legendItem->minimumOuterSizeHint().height());
  return height;
}

QSize TChartLegend::minimumOuterSizeHint() const {
  const auto rows = Rows();
  QSize size(0, -rowSpacing());
  for (const auto& row : rows) {
    size.setWidth(std::max(size.width(), Width(row, columnSpacing())));
    size.rheight() += Height(row) + rowSpacing();
  }
  if (rows.empty()) size = QSize(0, 0);
  return size.grownBy(margins());
}

void TChartLegend::updateLayout() {
  int top = mRect.top();
  for (const auto& row : Rows()) {
    const int height = Height(row);
    int left = mRect.left();
    for (QCPAbstractLegendItem* legendItem : row) {
      const int width = legendItem->minimumOuterSizeHint().width();
      legendItem->setOuterRect(QRect(left, top, width, height));
      left += width + columnSpacing();
    }
    top += height + rowSpacing();
  }
}

TChartLegendItem::TChartLegendItem(QCPLegend* legend, TChartSeries& series)
    : QCPPlottableLegendItem(legend, &series), series_(series) {}

QSize TChartLegendItem::minimumOuterSizeHint() const {
  if (sizedFor_ != series_.name()) {
    sizedFor_ = series_.name();
    size_ = QCPPlottableLegendItem::minimumOuterSizeHint();
  }
  return size_;
}

// The text where QCPPlottableLegendItem draws it, at the top left beside the icon; the icon
// clipped to its square. Our legend draws no border round the icons.
void TChartLegendItem::draw(QCPPainter* painter) {
  if (text_.text() != series_.name()) {
    text_.setText(series_.name());
    text_.setTextFormat(Qt::PlainText);
  }
  const QSize iconSize = mParentLegend->iconSize();
  painter->setFont(getFont());
  painter->setPen(QPen(getTextColor()));
  painter->drawStaticText(
      QPointF(mRect.x() + iconSize.width() + mParentLegend->iconTextPadding(), mRect.y()), text_);
  const QRect iconRect(mRect.topLeft(), iconSize);
  painter->save();
  painter->setClipRect(iconRect, Qt::IntersectClip);
  series_.drawLegendIcon(painter, iconRect);
  painter->restore();
}

}  // namespace penmarrow::ui
