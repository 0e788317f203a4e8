#pragma once
// The savings chart: six stacked bar series in two stack groups side by side, a legend above the
// plot, value marks, and the axes' pixel-to-value maps the year hint needs.

#include <qcustomplot.h>

#include <array>
#include <functional>
#include <vector>

#include "ui/platform/ChartLegend.h"
#include "ui/platform/ChartSeries.h"
#include "ui/platform/SeriesMarks.h"

namespace penmarrow::ui {

// The series of one strategy: initial deposit, regular
// deposits, total interest, stacked in that order.
inline constexpr int SeriesPerStrategy = 3;
inline constexpr int YourSeries = 0;
inline constexpr int AlternativeSeries = SeriesPerStrategy;
inline constexpr int InterestOffset = 2;  // the total interest within a strategy's series
inline constexpr int YourInterest = YourSeries + InterestOffset;
inline constexpr int AlternativeInterest = AlternativeSeries + InterestOffset;

// The value axis as the rest of the program sees it.
class TChartAxis {
 public:
  explicit TChartAxis(QCPAxis& axis) : axis_(axis) {}
  // The value shown at a pixel of the chart's client area; 0 while the axis has no length.
  double CalcPosPoint(int pixel) const;
  // The top of the tallest stack.
  double Maximum() const { return maximum_; }
  void SetMaximum(double maximum) { maximum_ = maximum; }

 private:
  QCPAxis& axis_;
  double maximum_ = 0;
};

class TChart : public QCustomPlot {
 public:
  static constexpr int SeriesCount = 2 * SeriesPerStrategy;

  explicit TChart(QWidget* parent = nullptr);

  TChartSeries& Series(int index) { return *series_.at(static_cast<std::size_t>(index)); }
  const TChartSeries& Series(int index) const {
    return *series_.at(static_cast<std::size_t>(index));
  }
  TChartAxis& BottomAxis() { return bottomAxis_; }
  TChartAxis& LeftAxis() { return leftAxis_; }
  void SetTitle(const QString& title);
  // The legend's items, row by row.
  std::vector<QCPAbstractLegendItem*> LegendItems() const;

  std::function<void(int x, int y)> OnMouseMove;
  std::function<void()> OnMouseLeave;
  // The context menu asked for at a point of the chart, with the mouse or from the keyboard.
  std::function<void(QPoint at, bool fromKeyboard)> OnContextMenu;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetUpLegend();
  void SetUpAxes();
  void CreateSeries();
  void FitToSize();
  void WrapLegend();
  void FitAxes();
  void LabelYears();
  void PlaceMarks();

  std::array<TChartSeries*, SeriesCount> series_{};
  TChartLegend* legend_;
  QCPTextElement* title_;
  QSharedPointer<QCPAxisTickerText> yearTicker_;
  TChartAxis bottomAxis_;
  TChartAxis leftAxis_;
  bool fitting_ = false;  // the layouts made while fitting are not the one that is drawn
};

}  // namespace penmarrow::ui
