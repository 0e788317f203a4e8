#include "ui/platform/ChartSeries.h"

#include <algorithm>
#include <cmath>

#include "ui/platform/ChartLegend.h"
#include "ui/platform/QtText.h"
#include "ui/platform/SeriesMarks.h"

namespace penmarrow::ui {
namespace {

constexpr double BarWidth = 0.35;  // the two stacks of a year take 70 % of its room
constexpr int LegendShadowOffset = 3;
const QColor LegendShadowColor(172, 172, 172);

}  // namespace

TChartSeries::TChartSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const QString& legendTitle,
                           QColor color, StackSide side)
    : QCPBars(keyAxis, valueAxis), marks_(new TSeriesMarks(*this)), side_(side) {
  setName(legendTitle);
  setPen(Qt::NoPen);
  setBrush(color);
  setStackingGap(0);
  setSelectable(QCP::stNone);
}

void TChartSeries::Clear() {
  values_.clear();
  labels_.clear();
  Changed();
}

void TChartSeries::Add(double value, std::u16string_view label) {
  values_.push_back(value);
  labels_.push_back(ToQString(label));
  Changed();
}

double TChartSeries::StackBase(int index) const {
  const auto* below = dynamic_cast<const TChartSeries*>(barBelow());
  return below ? below->StackTop(index) : 0;
}

double TChartSeries::StackTop(int index) const {
  // A series that stopped short (a failed projection) adds nothing where it holds no point.
  double top = index < Count() ? YValue(index) : 0;
  for (auto* below = dynamic_cast<const TChartSeries*>(barBelow()); below;
       below = dynamic_cast<const TChartSeries*>(below->barBelow()))
    if (index < below->Count()) top += below->YValue(index);
  return top;
}

QRectF TChartSeries::BarRect(int index) const {
  // Worked out in device pixels, so that the edges are whole at any scale.
  const double ratio = mParentPlot->bufferDevicePixelRatio();
  const auto onDevice = [ratio](double pixel) { return std::round(pixel * ratio); };
  const QCPAxis& keys = *keyAxis();
  const QCPAxis& values = *valueAxis();
  const double room = std::abs(keys.coordToPixel(1) - keys.coordToPixel(0)) * ratio;
  const double width = std::max(1.0, std::round(room * BarWidth));
  const double centre = onDevice(keys.coordToPixel(index));
  const double left = side_ == StackSide::Left ? centre - width : centre;
  const double base = onDevice(values.coordToPixel(StackBase(index)));
  const double top = onDevice(values.coordToPixel(StackTop(index)));
  return {left / ratio, std::min(base, top) / ratio, width / ratio, std::abs(base - top) / ratio};
}

void TChartSeries::applyDefaultAntialiasingHint(QCPPainter* painter) const {
  painter->setAntialiasing(false);
}

void TChartSeries::draw(QCPPainter* painter) {
  for (int i = 0; i < Count(); ++i) {
    const QRectF bar = BarRect(i);
    if (!bar.isEmpty()) painter->fillRect(bar, brush());
  }
}

void TChartSeries::SetShowInLegend(bool show) {
  if (show == ShowInLegend()) return;
  if (show)
    mParentPlot->legend->addItem(new TChartLegendItem(mParentPlot->legend, *this));
  else
    removeFromLegend();
  Changed();
}

bool TChartSeries::ShowInLegend() const { return mParentPlot->legend->hasItemWithPlottable(this); }

void TChartSeries::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  // A whole-pixel square with its shadow, in the exact series colour.
  const int side = static_cast<int>(std::min(rect.width(), rect.height())) - LegendShadowOffset;
  const QPoint corner(qRound(rect.left()), qRound(rect.center().y() - side / 2.0) - 1);
  const QRect square(corner, QSize(side, side));
  painter->setAntialiasing(false);
  painter->fillRect(square.translated(LegendShadowOffset, LegendShadowOffset), LegendShadowColor);
  painter->fillRect(square, brush());
}

void TChartSeries::Changed() {
  if (OnChanged) OnChanged();
}

}  // namespace penmarrow::ui
