#include "ui/platform/SeriesMarks.h"

#include "core/NumberPattern.h"
#include "ui/platform/ChartSeries.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

constexpr int Padding = 2;
constexpr int SymbolGap = 3;
constexpr int MaxDecimals = 3;  // "#,##0.###"
const char* const OnTopLayer = "marksOnTop";

QFont MarksFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  return font;
}

}  // namespace

TSeriesMarks::TSeriesMarks(TChartSeries& series)
    : QCPLayerable(series.parentPlot(), series.layer()->name()), series_(series) {
  QCPLayerable::setVisible(false);
}

void TSeriesMarks::SetVisible(bool visible) {
  QCPLayerable::setVisible(visible);
  Changed();
}

void TSeriesMarks::SetArrowLength(int pixels) {
  arrowLength_ = pixels;
  Changed();
}

void TSeriesMarks::SetOnTop(bool onTop) {
  if (onTop == onTop_) return;
  onTop_ = onTop;
  setLayer(onTop ? QString::fromLatin1(OnTopLayer) : series_.layer()->name());
  Changed();
}

int TSeriesMarks::Headroom() const {
  return visible() ? arrowLength_ + QFontMetrics(MarksFont()).height() + 2 * Padding + 2 : 0;
}

void TSeriesMarks::applyDefaultAntialiasingHint(QCPPainter* painter) const {
  applyAntialiasingHint(painter, false, QCP::aeOther);
}

void TSeriesMarks::draw(QCPPainter* painter) {
  if (!series_.keyAxis() || !series_.valueAxis()) return;
  painter->setFont(MarksFont());
  const QFontMetrics metrics(MarksFont());
  for (int i = 0; i < series_.Count(); ++i) DrawMark(painter, i, metrics);
}

void TSeriesMarks::DrawMark(QCPPainter* painter, int index, const QFontMetrics& metrics) const {
  const QRectF bar = series_.BarRect(index);
  const QString text = ToQString(FormatGroupedNumber(series_.YValue(index), MaxDecimals));
  const int symbol = metrics.ascent() - 2;
  const QSizeF box(Padding + symbol + SymbolGap + metrics.horizontalAdvance(text) + Padding,
                   metrics.height() + 2 * Padding);
  const double barTop = std::min(bar.top(), bar.bottom());
  const QPointF anchor(bar.center().x(), barTop);
  const QRectF frame(anchor.x() - box.width() / 2, anchor.y() - arrowLength_ - box.height(), box.width(),
                     box.height());

  painter->setPen(QPen(arrowColor_, 1));
  painter->drawLine(anchor, QPointF(anchor.x(), frame.bottom()));
  painter->setPen(QPen(QColor(128, 128, 128), 1));
  painter->setBrush(Qt::white);
  painter->drawRect(frame);
  painter->setPen(Qt::NoPen);
  painter->setBrush(series_.brush());
  painter->drawRect(QRectF(frame.left() + Padding, frame.center().y() - symbol / 2.0, symbol, symbol));
  painter->setPen(Qt::black);
  painter->drawText(frame.adjusted(Padding + symbol + SymbolGap, 0, -Padding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                    text);
}

void TSeriesMarks::Changed() {
  if (series_.OnChanged) series_.OnChanged();
}

}  // namespace penmarrow::ui
