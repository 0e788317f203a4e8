#pragma once
// One bar series of the savings chart. It is the one store of a projection's results: the
// projection adds points through SeriesSink and the totals and the year hint read them back.

#include <qcustomplot.h>

#include <QString>
#include <functional>
#include <vector>

#include "core/Projection.h"

namespace penmarrow::ui {

class TSeriesMarks;

// Which half of a year's room a series' stack takes: your strategy left of the year, the
// alternative right of it.
enum class StackSide { Left, Right };

class TChartSeries : public QCPBars, public SeriesSink {
 public:
  TChartSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const QString& legendTitle, QColor color,
               StackSide side);

  void Clear() override;
  void Add(double value, std::u16string_view label) override;

  int Count() const { return static_cast<int>(values_.size()); }
  double YValue(int index) const { return values_.at(static_cast<std::size_t>(index)); }
  const QString& Label(int index) const { return labels_.at(static_cast<std::size_t>(index)); }
  // Where the point's bar starts: the top of the series stacked below it.
  double StackBase(int index) const;
  // The point's value plus those of the series stacked below it, added from the top down.
  double StackTop(int index) const;
  // The point's bar as drawn: edges on whole device pixels, one width for every bar of the chart.
  QRectF BarRect(int index) const;

  void SetShowInLegend(bool show);
  bool ShowInLegend() const;
  TSeriesMarks& Marks() { return *marks_; }
  const TSeriesMarks& Marks() const { return *marks_; }

  std::function<void()> OnChanged;
  // Public for our legend's items.
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;

 private:
  void Changed();

  std::vector<double> values_;
  std::vector<QString> labels_;
  TSeriesMarks* marks_;
  StackSide side_;
};

}  // namespace penmarrow::ui
