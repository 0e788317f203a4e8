#include "ui/platform/SavingsChart.h"

#include <algorithm>
#include <cmath>

#include "core/NumberPattern.h"
#include "ui/platform/ErrorDisplay.h"
#include "ui/platform/MarkLayout.h"
#include "ui/platform/QtText.h"
#include "ui/platform/SeriesMarks.h"
#include "ui/platform/WindowFonts.h"

namespace penmarrow::ui {
namespace {

const QColor ChartColor(226, 234, 241);

struct SeriesLook {
  const char* legendTitle;
  QColor color;
  QColor arrowColor;
};

const std::array<SeriesLook, TChart::SeriesCount> Looks{{
    {"Initial deposit", QColor(128, 128, 64), Qt::black},
    {"Regular deposits", QColor(128, 64, 0), Qt::black},
    {"Total interest", QColor(128, 0, 0), QColor(128, 0, 64)},
    {"Alternative strategy initial deposit", QColor(0, 128, 128), Qt::black},
    {"Alternative strategy regular deposits", QColor(0, 128, 192), Qt::black},
    {"Alternative strategy total interest", QColor(0, 64, 128), QColor(0, 64, 128)},
}};
constexpr int LegendGap = 5;       // between the legend and the plot
constexpr int LegendSideRoom = 5;  // kept free left and right of the widest legend

// Left axis labels " $#,##0.###" with the program's number format settings.
class MoneyTicker : public QCPAxisTicker {
 protected:
  QString getTickLabel(double tick, const QLocale&, QChar, int) override {
    return QStringLiteral(" $") + ToQString(FormatGroupedNumber(tick, 3));
  }
};

}  // namespace

double TChartAxis::CalcPosPoint(int pixel) const {
  const QCPAxisRect* rect = axis_.axisRect();
  const int length = axis_.orientation() == Qt::Horizontal ? rect->width() : rect->height();
  return length > 0 ? axis_.pixelToCoord(pixel) : 0.0;
}

TChart::TChart(QWidget* parent)
    : QCustomPlot(parent),
      legend_(new TChartLegend),
      title_(new QCPTextElement(this)),
      yearTicker_(new QCPAxisTickerText),
      bottomAxis_(*xAxis),
      leftAxis_(*yAxis) {
  setBackground(ChartColor);
  axisRect()->setBackground(Qt::NoBrush);
  setInteractions({});
  setAutoAddPlottableToLegend(false);  // series join the legend with our own items
  setMouseTracking(true);
  addLayer(QStringLiteral("marksOnTop"), layer(QStringLiteral("main")), limAbove);
  // The overlay holds only the selection rectangle, which a chart without interactions never
  // shows: its own buffer would be an empty, window-sized image blended in at every paint.
  layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
  SetUpAxes();
  SetUpLegend();
  CreateSeries();
  connect(this, &QCustomPlot::beforeReplot, this, [this] { FitToSize(); });
  connect(this, &QCustomPlot::afterLayout, this, [this] {
    if (!fitting_) PlaceMarks();
  });
}

void TChart::SetTitle(const QString& title) {
  title_->setText(title);
  // A hidden title would still take its row: it is in the layout only while it has a text.
  const bool shown = plotLayout()->element(0, 0) == title_;
  if (title.isEmpty() && shown) {
    plotLayout()->take(title_);
    plotLayout()->simplify();
  } else if (!title.isEmpty() && !shown) {
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);
  }
  title_->setVisible(!title.isEmpty());
  replot(rpQueuedReplot);
}

std::vector<QCPAbstractLegendItem*> TChart::LegendItems() const {
  // A last row that is not full holds empty cells.
  std::vector<QCPAbstractLegendItem*> items;
  for (int i = 0; i < legend->itemCount(); ++i)
    if (QCPAbstractLegendItem* item = legend->item(i)) items.push_back(item);
  return items;
}

void TChart::SetUpAxes() {
  xAxis->setLabel(QStringLiteral("Years"));
  xAxis->setLabelFont(ChartFont(13));
  xAxis->setTickLabelFont(ChartSmallFont());
  xAxis->setTicker(yearTicker_);
  xAxis->grid()->setVisible(false);
  xAxis->setSubTicks(false);
  yAxis->setLabel(QStringLiteral("Savings"));
  yAxis->setLabelFont(ChartFont(13));
  yAxis->setTickLabelFont(ChartSmallFont());
  yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new MoneyTicker));
  yAxis->setSubTicks(false);
}

void TChart::CreateSeries() {
  for (int i = 0; i < SeriesCount; ++i) {
    const SeriesLook& look = Looks[static_cast<std::size_t>(i)];
    const StackSide side = i < AlternativeSeries ? StackSide::Left : StackSide::Right;
    auto* series =
        new TChartSeries(xAxis, yAxis, QString::fromLatin1(look.legendTitle), look.color, side);
    series->Marks().SetArrowColor(look.arrowColor);
    series->OnChanged = [this] { replot(rpQueuedReplot); };
    // Stacks pile up in series order within each strategy.
    if (i != 0 && i != AlternativeSeries)
      series->moveAbove(series_[static_cast<std::size_t>(i - 1)]);
    series_[static_cast<std::size_t>(i)] = series;
  }
  for (const int i : {YourInterest, AlternativeInterest}) Series(i).Marks().SetVisible(true);
  for (int i = 0; i < AlternativeSeries; ++i) Series(i).SetShowInLegend(true);
}

void TChart::SetUpLegend() {
  // A legend row centred and moved left by 20 % of the free width, 5 pixels above the plot. Our
  // legend takes the default one's place before any series joins it.
  auto* legendRow = new QCPLayoutGrid;
  plotLayout()->insertRow(0);
  plotLayout()->addElement(0, 0, legendRow);
  plotLayout()->setRowSpacing(0);
  legendRow->addElement(0, 0, new QCPLayoutElement(this));
  delete legend;
  legend = legend_;
  legendRow->addElement(0, 1, legend);
  legend->setLayer(QStringLiteral("legend"));
  legendRow->addElement(0, 2, new QCPLayoutElement(this));
  legendRow->setColumnStretchFactors({3, 0.001, 7});
  legendRow->setMargins({0, 4, 0, LegendGap});
  plotLayout()->setRowStretchFactor(0, 0.001);
  axisRect()->setAutoMargins(QCP::msLeft | QCP::msRight | QCP::msBottom);
  axisRect()->setMargins({0, 0, 0, 0});

  legend->setVisible(true);
  legend->setFont(ChartFont(12));
  legend->setIconSize(12, 12);
  legend->setRowSpacing(2);
  legend->setBorderPen(QPen(QColor(128, 128, 128)));
  legend->setBrush(Qt::white);
  legend->setSelectableParts(QCPLegend::spNone);
  title_->setVisible(false);
}

void TChart::FitToSize() {
  WrapLegend();
  // The axes are fitted to the plot's size for this replot, not to the one the last replot had.
  fitting_ = true;
  updateLayout();
  FitAxes();
  updateLayout();
  fitting_ = false;
  LabelYears();
}

void TChart::WrapLegend() {
  for (QCPAbstractLegendItem* legendItem : LegendItems())
    if (auto* item = dynamic_cast<QCPPlottableLegendItem*>(legendItem))
      item->setTextColor(item->plottable()->brush().color());
  // Items stand side by side, in as few rows of equal length as the chart's width holds.
  const int items = std::max(static_cast<int>(LegendItems().size()), 1);
  for (int rows = 1; rows <= items; ++rows) {
    legend_->SetRowLength((items + rows - 1) / rows);
    if (legend->minimumOuterSizeHint().width() <= width() - 2 * LegendSideRoom) break;
  }
  legend->setMaximumSize(legend->minimumOuterSizeHint());
}

void TChart::FitAxes() {
  int years = 0;
  double top = 0;
  double bottom = 0;
  int headroom = 0;
  int seriesWithMarks = 0;
  for (const TChartSeries* series : series_) {
    years = std::max(years, series->Count());
    for (int i = 0; i < series->Count(); ++i) {
      top = std::max(top, series->StackTop(i));
      bottom = std::min(bottom, series->StackTop(i));
    }
    headroom = std::max(headroom, series->Marks().Headroom());
    if (series->Marks().Visible() && series->Count() > 0) ++seriesWithMarks;
  }
  // Room for the last year's two marks one above the other, when they would not fit side by side.
  if (seriesWithMarks > 1)
    headroom += static_cast<int>(Series(YourInterest).Marks().BoxSize(0).height()) + 4;
  leftAxis_.SetMaximum(top);
  // The marks need room above the tallest stack; keep the axis a little taller than that.
  const int length = std::max(axisRect()->height(), 1);
  const double scale =
      length > 2 * headroom ? static_cast<double>(length) / (length - headroom) : 1.5;
  yAxis->setRange(bottom, top > bottom ? bottom + (top - bottom) * scale : bottom + 1);
  xAxis->setRange(-0.5, std::max(years, 1) - 0.5);
}

void TChart::LabelYears() {
  // Crowded labels are thinned so that none overlaps its neighbour.
  const TChartSeries& labelled = Series(0);
  const QFontMetrics metrics(xAxis->tickLabelFont());
  const double room =
      labelled.Count() > 0 ? axisRect()->width() / static_cast<double>(labelled.Count()) : 1;
  const int step = std::max(
      1, static_cast<int>(std::ceil((metrics.horizontalAdvance(QStringLiteral("00")) + 6) / room)));
  yearTicker_->clear();
  for (int i = 0; i < labelled.Count(); i += step) yearTicker_->addTick(i, labelled.Label(i));
}

void TChart::PlaceMarks() {
  // The last year's marks first, always shown; then the years from right to left, each mark left
  // out where it cannot be read.
  struct Owner {
    int series;
    int index;
  };
  std::vector<std::pair<MarkRequest, Owner>> requests;
  for (const int s : {YourInterest, AlternativeInterest}) {
    const TChartSeries& series = Series(s);
    if (!series.Marks().Visible()) continue;
    const std::vector<QSizeF> sizes = series.Marks().BoxSizes();
    for (int i = 0; i < series.Count(); ++i) {
      const QRectF bar = series.BarRect(i);
      const QPointF anchor(bar.center().x(), std::min(bar.top(), bar.bottom()));
      requests.push_back(
          {{anchor, sizes[static_cast<std::size_t>(i)],
            static_cast<double>(series.Marks().ArrowLength()), i == series.Count() - 1},
           {s, i}});
    }
  }
  std::stable_sort(requests.begin(), requests.end(), [](const auto& a, const auto& b) {
    if (a.first.mustShow != b.first.mustShow) return a.first.mustShow;
    if (a.second.index != b.second.index) return a.second.index > b.second.index;
    return a.first.anchor.y() - a.first.arrowLength < b.first.anchor.y() - b.first.arrowLength;
  });
  std::vector<MarkRequest> ordered;
  for (const auto& request : requests) ordered.push_back(request.first);
  const auto boxes = ui::PlaceMarks(ordered, axisRect()->rect());

  std::array<std::vector<std::optional<QRectF>>, SeriesCount> perSeries;
  QRegion all;
  for (std::size_t r = 0; r < requests.size(); ++r) {
    const Owner owner = requests[r].second;
    auto& own = perSeries[static_cast<std::size_t>(owner.series)];
    own.resize(static_cast<std::size_t>(Series(owner.series).Count()));
    own[static_cast<std::size_t>(owner.index)] = boxes[r];
    if (boxes[r]) all += boxes[r]->toAlignedRect();
  }
  for (const int s : {YourInterest, AlternativeInterest})
    Series(s).Marks().SetPlacement(std::move(perSeries[static_cast<std::size_t>(s)]), all);
}

void TChart::mouseMoveEvent(QMouseEvent* event) {
  QCustomPlot::mouseMoveEvent(event);
  const QPoint at = event->position().toPoint();
  // Over a control that lies on the chart (the marks box) the chart does not have the pointer.
  if (childAt(at)) {
    if (OnMouseLeave) ErrorDisplay::GuardHoldingKeys(OnMouseLeave);
    return;
  }
  if (OnMouseMove) ErrorDisplay::GuardHoldingKeys([&] { OnMouseMove(at.x(), at.y()); });
}

void TChart::leaveEvent(QEvent* event) {
  QCustomPlot::leaveEvent(event);
  if (OnMouseLeave) ErrorDisplay::GuardHoldingKeys(OnMouseLeave);
}

void TChart::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  const bool fromKeyboard = event->reason() == QContextMenuEvent::Keyboard;
  if (OnContextMenu)
    ErrorDisplay::GuardHoldingKeys([&] { OnContextMenu(event->pos(), fromKeyboard); });
}

void TChart::paintEvent(QPaintEvent* event) {
  QCustomPlot::paintEvent(event);
  // One lowered bevel along the chart's edge.
  QPainter painter(this);
  const QRect edge = rect().adjusted(0, 0, -1, -1);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(edge.topLeft(), edge.topRight());
  painter.drawLine(edge.topLeft(), edge.bottomLeft());
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(edge.bottomLeft(), edge.bottomRight());
  painter.drawLine(edge.topRight(), edge.bottomRight());
}

}  // namespace penmarrow::ui
