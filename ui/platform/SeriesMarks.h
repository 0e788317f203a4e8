#pragma once
// The value boxes above a series' bars, each joined to its bar by a line ArrowLength pixels long.

#include <qcustomplot.h>

#include <QStaticText>
#include <optional>
#include <vector>

namespace penmarrow::ui {

class TChartSeries;

class TSeriesMarks : public QCPLayerable {
 public:
  explicit TSeriesMarks(TChartSeries& series);

  bool Visible() const { return visible(); }
  void SetVisible(bool visible);
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int pixels);
  // On top, the marks are drawn after every bar of
  // every series, so no neighbouring stack covers them.
  bool OnTop() const { return onTop_; }
  void SetOnTop(bool onTop);
  void SetArrowColor(QColor color) { arrowColor_ = color; }

  // Pixels the tallest mark needs above its bar, so that the value axis leaves room for it.
  int Headroom() const;
  // The box of the point's mark, its value written in it.
  QSizeF BoxSize(int index) const;
  // Every point's box, in order.
  std::vector<QSizeF> BoxSizes() const;
  // Where each point's mark goes (nothing: left out), and every mark's box in the chart, which
  // no line is drawn over.
  void SetPlacement(std::vector<std::optional<QRectF>> boxes, const QRegion& allBoxes);
  const std::vector<std::optional<QRectF>>& Placement() const { return boxes_; }
  // The point's value as its mark writes it, "1,629".
  QString Text(int index) const;

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;

 private:
  // A value's text as its mark shows it, measured and shaped once: its width in whole pixels
  // (the box's) and unrounded.
  struct MarkText {
    int width;
    double exactWidth;
    QStaticText glyphs;
  };

  void DrawBox(QCPPainter* painter, const QFontMetrics& metrics, int index,
               const QRectF& frame) const;
  void DrawValue(QCPPainter* painter, const QFontMetrics& metrics, int index,
                 const QRectF& textRect) const;
  QSizeF BoxSize(const QFontMetrics& metrics, int index) const;
  const MarkText& Measured(const QFontMetrics& metrics, int index) const;
  void Changed();

  TChartSeries& series_;
  int arrowLength_ = 8;
  bool onTop_ = false;
  QColor arrowColor_ = Qt::black;
  std::vector<std::optional<QRectF>> boxes_;
  QRegion allBoxes_;
  mutable QHash<double, MarkText> texts_;  // by value, in the marks' font, which never changes
};

}  // namespace penmarrow::ui
