#pragma once
// The chart's legend: its items in rows of one length, each row packed from the left with the
// same gap between neighbours, so that short and long items leave no empty columns.

#include <qcustomplot.h>

#include <algorithm>
#include <vector>

namespace penmarrow::ui {

class TChartLegend : public QCPLegend {
 public:
  // How many items a row holds; the last row may hold fewer.
  void SetRowLength(int items) { rowLength_ = std::max(items, 1); }
  QSize minimumOuterSizeHint() const override;

 protected:
  void updateLayout() override;

 private:
  std::vector<std::vector<QCPAbstractLegendItem*>> Rows() const;
  static int Width(const std::vector<QCPAbstractLegendItem*>& row, int gap);
  static int Height(const std::vector<QCPAbstractLegendItem*>& row);

  int rowLength_ = 1;
};

}  // namespace penmarrow::ui
