#pragma once
// The value boxes above a series' bars, each joined to its bar by a line ArrowLength pixels long.

#include <qcustomplot.h>

namespace penmarrow::ui {

class TChartSeries;

class TSeriesMarks : public QCPLayerable {
 public:
  explicit TSeriesMarks(TChartSeries& series);

  bool Visible() const { return visible(); }
  void SetVisible(bool visible);
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int pixels);
  // On top, the marks are drawn after every bar of every series, so no neighbouring stack covers them.
  bool OnTop() const { return onTop_; }
  void SetOnTop(bool onTop);
  void SetArrowColor(QColor color) { arrowColor_ = color; }

  // Pixels the tallest mark needs above its bar, so that the value axis leaves room for it.
  int Headroom() const;

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;

 private:
  void DrawMark(QCPPainter* painter, int index, const QFontMetrics& metrics) const;
  void Changed();

  TChartSeries& series_;
  int arrowLength_ = 8;
  bool onTop_ = false;
  QColor arrowColor_ = Qt::black;
};

}  // namespace penmarrow::ui
