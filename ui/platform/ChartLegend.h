#pragma once
// The chart's legend: its items in rows of one length, each row packed from the left with the
// same gap between neighbours, so that short and long items leave no empty columns.

#include <qcustomplot.h>

#include <QStaticText>
#include <algorithm>
#include <vector>

namespace penmarrow::ui {

class TChartSeries;

class TChartLegend : public QCPLegend {
 public:
  // How many items a row holds; the last row may hold fewer.
  void SetRowLength(int items) { rowLength_ = std::max(items, 1); }
  QSize minimumOuterSizeHint() const override;

 protected:
  void updateLayout() override;

 private:
  std::vector<std::vector<QCPAbstractLegendItem*>> Rows() const;
  int Width(const std::vector<QCPAbstractLegendItem*>& row, int gap) const;
  int Height(const std::vector<QCPAbstractLegendItem*>& row) const;

  int rowLength_ = 1;
};

// A series' entry, drawn and sized as QCustomPlot's own but with its text laid out and measured
// once: the legend is measured many times over and drawn at every replot, and doing that anew was
// a tenth of a keystroke's work. The legend's font never changes.
class TChartLegendItem : public QCPPlottableLegendItem {
 public:
  TChartLegendItem(QCPLegend* legend, TChartSeries& series);
  QSize minimumOuterSizeHint() const override;

 protected:
  void draw(QCPPainter* painter) override;

 private:
  TChartSeries& series_;
  QStaticText text_;
  mutable QString sizedFor_;
  mutable QSize size_;
};

}  // namespace penmarrow::ui
