#include "ui/platform/SeriesMarks.h"

#include "core/NumberPattern.h"
#include "ui/platform/ChartSeries.h"
#include "ui/platform/MarkLayout.h"
#include "ui/platform/QtText.h"
#include "ui/platform/WindowFonts.h"

namespace penmarrow::ui {
namespace {

constexpr int Padding = 2;
constexpr int SymbolGap = 3;
constexpr int MaxDecimals = 3;  // "#,##0.###"
const char* const OnTopLayer = "marksOnTop";

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
  return visible() ? arrowLength_ + QFontMetrics(ChartSmallFont()).height() + 2 * Padding + 2 : 0;
}

QSizeF TSeriesMarks::BoxSize(int index) const {
  return BoxSize(QFontMetrics(ChartSmallFont()), index);
}

std::vector<QSizeF> TSeriesMarks::BoxSizes() const {
  const QFontMetrics metrics(ChartSmallFont());
  std::vector<QSizeF> sizes;
  for (int i = 0; i < series_.Count(); ++i) sizes.push_back(BoxSize(metrics, i));
  return sizes;
}

QSizeF TSeriesMarks::BoxSize(const QFontMetrics& metrics, int index) const {
  return {2.0 * Padding + (metrics.ascent() - 2) + SymbolGap + Measured(metrics, index).width,
          metrics.height() + 2.0 * Padding};
}

// Every replot measures and draws every mark, and formatting, measuring and shaping a text are
// most of that work: each value's text is kept with its width and glyphs.
const TSeriesMarks::MarkText& TSeriesMarks::Measured(const QFontMetrics& metrics, int index) const {
  constexpr qsizetype Kept = 4096;
  if (texts_.size() > Kept) texts_.clear();
  const double value = series_.YValue(index);
  auto found = texts_.constFind(value);
  if (found == texts_.cend()) {
    const QString text = Text(index);
    QStaticText glyphs(text);
    glyphs.setTextFormat(Qt::PlainText);
    found = texts_.insert(value, {metrics.horizontalAdvance(text),
                                  QFontMetricsF(metrics).horizontalAdvance(text), glyphs});
  }
  return *found;
}

void TSeriesMarks::SetPlacement(std::vector<std::optional<QRectF>> boxes, const QRegion& allBoxes) {
  boxes_ = std::move(boxes);
  allBoxes_ = allBoxes;
}

QString TSeriesMarks::Text(int index) const {
  return ToQString(FormatGroupedNumber(series_.YValue(index), MaxDecimals));
}

void TSeriesMarks::applyDefaultAntialiasingHint(QCPPainter* painter) const {
  applyAntialiasingHint(painter, false, QCP::aeOther);
}

void TSeriesMarks::draw(QCPPainter* painter) {
  if (!series_.keyAxis() || !series_.valueAxis()) return;
  const int count = std::min(series_.Count(), static_cast<int>(boxes_.size()));
  // Lines first, never over any mark's box, then this series' boxes.
  painter->save();
  painter->setClipRegion(QRegion(mParentPlot->viewport()) - allBoxes_);
  painter->setPen(QPen(arrowColor_, 1));
  for (int i = 0; i < count; ++i) {
    if (!boxes_[static_cast<std::size_t>(i)]) continue;
    const QRectF bar = series_.BarRect(i);
    const QPointF anchor(bar.center().x(), std::min(bar.top(), bar.bottom()));
    painter->drawLine(anchor, ArrowEnd(*boxes_[static_cast<std::size_t>(i)], anchor));
  }
  painter->restore();
  const QFont font = ChartSmallFont();
  painter->setFont(font);
  const QFontMetrics metrics(font);
  for (int i = 0; i < count; ++i)
    if (boxes_[static_cast<std::size_t>(i)])
      DrawBox(painter, metrics, i, *boxes_[static_cast<std::size_t>(i)]);
}

void TSeriesMarks::DrawBox(QCPPainter* painter, const QFontMetrics& metrics, int index,
                           const QRectF& frame) const {
  const int symbol = metrics.ascent() - 2;
  painter->setPen(QPen(QColor(128, 128, 128), 1));
  painter->setBrush(Qt::white);
  painter->drawRect(frame);
  painter->setPen(Qt::NoPen);
  painter->setBrush(series_.brush());
  painter->drawRect(
      QRectF(frame.left() + Padding, frame.center().y() - symbol / 2.0, symbol, symbol));
  DrawValue(painter, metrics, index, frame.adjusted(Padding + symbol + SymbolGap, 0, -Padding, 0));
}

// As drawText with a rectangle drew it, without laying the text out anew: a line centred by the
// font's unrounded ascent and descent, clipped to the rectangle where it is wider.
void TSeriesMarks::DrawValue(QCPPainter* painter, const QFontMetrics& metrics, int index,
                             const QRectF& textRect) const {
  const MarkText& text = Measured(metrics, index);
  const QFontMetricsF exact(metrics);
  const double top = textRect.top() + (textRect.height() - (exact.ascent() + exact.descent())) / 2;
  const bool clipped = text.exactWidth > textRect.width();
  painter->setPen(Qt::black);
  if (clipped) {
    painter->save();
    painter->setClipRect(textRect, Qt::IntersectClip);
  }
  painter->drawStaticText(QPointF(textRect.left(), top), text.glyphs);
  if (clipped) painter->restore();
}

void TSeriesMarks::Changed() {
  if (series_.OnChanged) series_.OnChanged();
}

}  // namespace penmarrow::ui
