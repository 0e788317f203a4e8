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

class TChartSeries : public QCPBars, public SeriesSink {
 public:
  TChartSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const QString& legendTitle, QColor color);

  void Clear() override;
  void Add(double value, std::u16string_view label) override;

  int Count() const { return static_cast<int>(values_.size()); }
  double YValue(int index) const { return values_.at(static_cast<std::size_t>(index)); }
  const QString& Label(int index) const { return labels_.at(static_cast<std::size_t>(index)); }
  // The value of this point plus those of the series stacked below it.
  double StackTop(int index) const;
  QRectF BarRect(int index) const { return getBarRect(index, YValue(index)); }

  // An empty series still holds invisible zero bars, so that its stack group keeps its room.
  void PadTo(int years);

  void SetShowInLegend(bool show);
  bool ShowInLegend() const;
  TSeriesMarks& Marks() { return *marks_; }
  const TSeriesMarks& Marks() const { return *marks_; }

  std::function<void()> OnChanged;

 protected:
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  void Changed();

  std::vector<double> values_;
  std::vector<QString> labels_;
  TSeriesMarks* marks_;
};

}  // namespace penmarrow::ui
