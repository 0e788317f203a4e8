#include "ui/platform/ChartSeries.h"

#include "ui/platform/QtText.h"
#include "ui/platform/SeriesMarks.h"

namespace penmarrow::ui {
namespace {

constexpr double BarWidth = 0.35;  // the two stacks of a year take 70 % of its room
constexpr int LegendShadowOffset = 3;
const QColor LegendShadowColor(172, 172, 172);

}  // namespace

TChartSeries::TChartSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const QString& legendTitle, QColor color)
    : QCPBars(keyAxis, valueAxis), marks_(new TSeriesMarks(*this)) {
  setName(legendTitle);
  setPen(Qt::NoPen);
  setBrush(color);
  setWidthType(wtPlotCoords);
  setWidth(BarWidth);
  setStackingGap(0);
  setSelectable(QCP::stNone);
}

void TChartSeries::Clear() {
  values_.clear();
  labels_.clear();
  data()->clear();
  Changed();
}

void TChartSeries::Add(double value, std::u16string_view label) {
  if (values_.empty()) data()->clear();  // drop the placeholders of PadTo
  const auto index = static_cast<double>(values_.size());
  values_.push_back(value);
  labels_.push_back(ToQString(label));
  addData(index, value);
  Changed();
}

double TChartSeries::StackTop(int index) const {
  double top = YValue(index);
  for (auto* below = dynamic_cast<const TChartSeries*>(barBelow()); below;
       below = dynamic_cast<const TChartSeries*>(below->barBelow()))
    if (index < below->Count()) top += below->YValue(index);
  return top;
}

void TChartSeries::PadTo(int years) {
  if (!values_.empty() || data()->size() == years) return;
  data()->clear();
  for (int i = 0; i < years; ++i) addData(i, 0);
}

void TChartSeries::SetShowInLegend(bool show) {
  if (show == ShowInLegend()) return;
  show ? addToLegend() : removeFromLegend();
  Changed();
}

bool TChartSeries::ShowInLegend() const { return mParentPlot->legend->hasItemWithPlottable(this); }

void TChartSeries::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  const double side = std::min(rect.width(), rect.height()) - LegendShadowOffset;
  const QRectF square(rect.left(), rect.center().y() - side / 2 - 1, side, side);
  painter->setPen(Qt::NoPen);
  painter->setBrush(LegendShadowColor);
  painter->drawRect(square.translated(LegendShadowOffset, LegendShadowOffset));
  painter->setBrush(brush());
  painter->drawRect(square);
}

void TChartSeries::Changed() {
  if (OnChanged) OnChanged();
}

}  // namespace penmarrow::ui
