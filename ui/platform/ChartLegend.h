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
  // An item's size, measured once for its text: measuring shapes the text anew each time, and the
  // legend is measured many times over at each replot.
  QSize ItemSize(QCPAbstractLegendItem* legendItem) const;
  int Width(const std::vector<QCPAbstractLegendItem*>& row, int gap) const;
  int Height(const std::vector<QCPAbstractLegendItem*>& row) const;

  int rowLength_ = 1;
  mutable QHash<QString, QSize> itemSizes_;  // by the item's text; the legend's font never changes
};

// A series' entry, drawn as QCustomPlot's own but with its text laid out once: the legend is
// drawn at every replot, and laying out its six texts anew was a tenth of a keystroke's work.
class TChartLegendItem : public QCPPlottableLegendItem {
 public:
  TChartLegendItem(QCPLegend* legend, TChartSeries& series);

 protected:
  void draw(QCPPainter* painter) override;

 private:
  TChartSeries& series_;
  QStaticText text_;
};

}  // namespace penmarrow::ui
