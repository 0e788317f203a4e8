#include "ui/PrintedPlan.h"

#include <qcustomplot.h>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPicture>
#include <algorithm>

#include "core/FrequencyTable.h"
#include "core/MoneyText.h"
#include "ui/accessibility/SpokenText.h"
#include "ui/platform/QtText.h"
#include "ui/platform/SavingsChart.h"

namespace penmarrow::ui {
namespace {

// Sizes in points.
constexpr double TitleSize = 16;
constexpr double HeadingSize = 11;
constexpr double TextSize = 10;
constexpr double TableSize = 9;
constexpr double SmallestTableSize = 5;
constexpr double SectionGap = 14;
constexpr double ColumnGap = 28;
constexpr double CellPadding = 4;
constexpr double RuleWidth = 0.5;
constexpr double ChartShare = 0.42;  // of the page's height, at most
const QColor ShadedRow(238, 240, 244);

// The chart's face, which the system substitutes where Arial itself is missing.
QFont PrintFont(double points, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QString Frequency(std::size_t row) { return ToQString(FrequencyTable.at(row).Name); }

using Row = std::pair<QString, QString>;  // a caption and its value

// Down the pages in device pixels, from the top of the printable area.
class Pages {
 public:
  Pages(QPagedPaintDevice& device, QPainter& painter)
      : painter(painter), device_(device), pixelsPerPoint_(device.logicalDpiY() / 72.0) {}

  double Points(double points) const { return points * pixelsPerPoint_; }
  double Width() const { return device_.width(); }
  double Height() const { return device_.height(); }
  double Top() const { return top_; }
  void Advance(double pixels) { top_ += pixels; }
  void MoveTo(double top) { top_ = top; }
  // Keeps `pixels` together on this page, or starts the next; true when it started one.
  bool Reserve(double pixels) {
    if (top_ == 0 || top_ + pixels <= Height()) return false;
    device_.newPage();
    top_ = 0;
    return true;
  }
  double LineHeight(const QFont& font) const { return QFontMetricsF(font, &device_).lineSpacing(); }
  double TextWidth(const QFont& font, const QString& text) const {
    return QFontMetricsF(font, &device_).horizontalAdvance(text);
  }
  // One line of text in `font` across [left, left + width), aligned as asked.
  void Line(const QFont& font, double left, double width, const QString& text,
            Qt::Alignment alignment = Qt::AlignLeft) {
    painter.setFont(font);
    painter.drawText(QRectF(left, top_, width, LineHeight(font)), alignment | Qt::AlignVCenter,
                     text);
  }
  void Rule(double left, double width) {
    painter.setPen(QPen(Qt::black, Points(RuleWidth)));
    painter.drawLine(QPointF(left, top_), QPointF(left + width, top_));
  }

  QPainter& painter;

 private:
  QPagedPaintDevice& device_;
  double pixelsPerPoint_;
  double top_ = 0;
};

std::vector<Row> YourInputs(const Plan& plan) {
  return {{QStringLiteral("Initial deposit"), MoneyText(plan.initialDeposit)},
          {QStringLiteral("Regular deposit"), MoneyText(plan.regularDeposit)},
          {QStringLiteral("Deposit frequency"), Frequency(plan.depositFrequency)},
          {QStringLiteral("Compound frequency"), Frequency(plan.compoundFrequency)},
          {QStringLiteral("Interest rate"), plan.rate + QStringLiteral(" %")},
          {QStringLiteral("Number of years"), QString::number(plan.years)}};
}

std::vector<Row> AlternativeInputs(const Plan& plan) {
  return {{QStringLiteral("Regular deposit"), MoneyText(plan.alternativeDeposit)},
          {QStringLiteral("Compound frequency"), Frequency(plan.alternativeFrequency)},
          {QStringLiteral("Start later"), SpokenYears(plan.startLater)}};
}

std::vector<Row> Totals(const FiguresTable& table, std::size_t strategy) {
  if (table.rows.empty() || !table.rows.back().strategies.at(strategy)) return {};
  const auto shown = table.rows.back().strategies[strategy]->Shown();
  std::vector<Row> rows;
  for (std::size_t i = 0; i < shown.size(); ++i)
    rows.push_back({FigureNames[i], MoneyText(shown[i])});
  return rows;
}

void PrintRows(Pages& pages, double left, double width, const std::vector<Row>& rows) {
  const QFont font = PrintFont(TextSize);
  for (const auto& [caption, value] : rows) {
    pages.Line(font, left, width, caption);
    pages.Line(font, left, width, value, Qt::AlignRight);
    pages.Advance(pages.LineHeight(font));
  }
}

// Each strategy in a column: its heading, its inputs, then its last year's totals.
void PrintStrategies(Pages& pages, const PrintedPlan& printed) {
  const double width = (pages.Width() - pages.Points(ColumnGap)) / 2;
  const std::vector<Row> inputs[] = {YourInputs(printed.plan), AlternativeInputs(printed.plan)};
  const QFont heading = PrintFont(HeadingSize, true);
  const QFont bold = PrintFont(TextSize, true);
  const double top = pages.Top();
  const double totalsTop = top + pages.LineHeight(heading) +
                           pages.LineHeight(PrintFont(TextSize)) * inputs[0].size() +
                           pages.Points(CellPadding);
  double bottom = top;
  for (std::size_t strategy = 0; strategy < static_cast<std::size_t>(printed.table.strategyCount);
       ++strategy) {
    const double left = strategy * (width + pages.Points(ColumnGap));
    pages.MoveTo(top);
    pages.Line(heading, left, width, StrategyNames[strategy]);
    pages.Advance(pages.LineHeight(heading));
    PrintRows(pages, left, width, inputs[strategy]);
    pages.MoveTo(totalsTop);
    if (!printed.table.rows.empty()) {
      pages.Rule(left, width);
      pages.Advance(pages.Points(CellPadding));
      pages.Line(bold, left, width,
                 QStringLiteral("After ") + SpokenYears(printed.table.rows.back().year));
      pages.Advance(pages.LineHeight(bold));
      PrintRows(pages, left, width, Totals(printed.table, strategy));
    }
    bottom = std::max(bottom, pages.Top());
  }
  pages.MoveTo(bottom);
}

// Drawn as on screen, through a picture that keeps every line, area and text a vector.
void PrintChart(Pages& pages, TChart& chart) {
  const QSize size = chart.size();
  if (size.isEmpty()) return;
  chart.replot(QCustomPlot::rpImmediateRefresh);
  QPicture picture;
  {
    QCPPainter recorder(&picture);
    recorder.setMode(QCPPainter::pmVectorized);
    chart.toPainter(&recorder, size.width(), size.height());
  }
  const double scale =
      std::min(pages.Width() / size.width(), pages.Height() * ChartShare / size.height());
  pages.Reserve(size.height() * scale);
  pages.painter.save();
  pages.painter.translate((pages.Width() - size.width() * scale) / 2, pages.Top());
  // A picture plays scaled from the resolution it was recorded at to the device's.
  const double played = pages.painter.device()->logicalDpiX() / double(picture.logicalDpiX());
  pages.painter.scale(scale / played, scale / played);
  pages.painter.drawPicture(0, 0, picture);
  pages.painter.restore();
  pages.Advance(size.height() * scale);
}

// The year-by-year table, in the largest type up to TableSize that fits the page's width.
class YearTable {
 public:
  YearTable(Pages& pages, const FiguresTable& table) : pages_(pages), table_(table) {
    font_ = PrintFont(TableSize);
    const double natural = Widths();
    if (natural > pages_.Width())
      font_.setPointSizeF(std::max(SmallestTableSize, TableSize * pages_.Width() / natural));
    columns_.clear();
    Widths();
    left_ = std::max(0.0, (pages_.Width() - TotalWidth()) / 2);
    rowHeight_ = pages_.LineHeight(font_) + pages_.Points(CellPadding);
  }

  void Print() {
    const QFont heading = PrintFont(HeadingSize, true);
    pages_.Reserve(pages_.LineHeight(heading) + 3 * rowHeight_);
    pages_.Line(heading, 0, pages_.Width(), QStringLiteral("Year by year"));
    pages_.Advance(pages_.LineHeight(heading));
    PrintHeadings();
    for (std::size_t i = 0; i < table_.rows.size(); ++i) {
      if (pages_.Reserve(rowHeight_)) PrintHeadings();
      if (i % 2 == 1)
        pages_.painter.fillRect(QRectF(left_, pages_.Top(), TotalWidth(), rowHeight_), ShadedRow);
      PrintCells(Cells(table_.rows[i]), font_);
    }
  }

 private:
  QStringList Headings() const {
    QStringList cells{QStringLiteral("Year")};
    for (int strategy = 0; strategy < table_.strategyCount; ++strategy)
      for (const QString& name : FigureNames) cells << name;
    return cells;
  }
  QStringList Cells(const FiguresTable::Row& row) const {
    QStringList cells{QString::number(row.year)};
    for (const auto& figures : row.strategies)
      for (std::size_t i = 0; i < FigureNames.size(); ++i)
        cells << (figures ? MoneyText(figures->Shown()[i]) : QString());
    return cells;
  }
  // Measures every column in the current type; the table's natural width.
  double Widths() {
    columns_.assign(static_cast<std::size_t>(Headings().size()), 0);
    const auto measure = [&](const QStringList& cells, const QFont& font) {
      for (qsizetype i = 0; i < cells.size(); ++i)
        columns_[static_cast<std::size_t>(i)] =
            std::max(columns_[static_cast<std::size_t>(i)],
                     pages_.TextWidth(font, cells[i]) + 2 * pages_.Points(CellPadding));
    };
    measure(Headings(), Bold());
    for (const FiguresTable::Row& row : table_.rows) measure(Cells(row), font_);
    return TotalWidth();
  }
  double TotalWidth() const {
    double total = 0;
    for (const double width : columns_) total += width;
    return total;
  }
  QFont Bold() const {
    QFont bold = font_;
    bold.setBold(true);
    return bold;
  }
  void PrintHeadings() {
    const QFont bold = Bold();
    double left = left_ + columns_[0];
    for (int strategy = 0; strategy < table_.strategyCount; ++strategy) {
      double width = 0;
      for (std::size_t i = 0; i < FigureNames.size(); ++i)
        width += columns_[1 + static_cast<std::size_t>(strategy) * FigureNames.size() + i];
      pages_.Line(bold, left, width, StrategyNames[static_cast<std::size_t>(strategy)],
                  Qt::AlignHCenter);
      left += width;
    }
    pages_.Advance(rowHeight_);
    PrintCells(Headings(), bold);
    pages_.Rule(left_, TotalWidth());
  }
  // Figures right-aligned, as a column of amounts reads.
  void PrintCells(const QStringList& cells, const QFont& font) {
    double left = left_;
    for (qsizetype i = 0; i < cells.size(); ++i) {
      const double width = columns_[static_cast<std::size_t>(i)];
      pages_.Line(font, left + pages_.Points(CellPadding), width - 2 * pages_.Points(CellPadding),
                  cells[i], Qt::AlignRight);
      left += width;
    }
    pages_.Advance(rowHeight_);
  }

  Pages& pages_;
  const FiguresTable& table_;
  QFont font_;
  std::vector<double> columns_;
  double left_ = 0;
  double rowHeight_ = 0;
};

}  // namespace

bool PrintPlan(QPagedPaintDevice& device, const PrintedPlan& printed) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  Pages pages(device, painter);
  pages.Line(PrintFont(TitleSize, true), 0, pages.Width(), QStringLiteral("Savings plan"));
  pages.Advance(pages.LineHeight(PrintFont(TitleSize, true)));
  if (!printed.fileName.isEmpty()) {
    pages.Line(PrintFont(TextSize), 0, pages.Width(), printed.fileName);
    pages.Advance(pages.LineHeight(PrintFont(TextSize)));
  }
  pages.Advance(pages.Points(SectionGap));
  PrintStrategies(pages, printed);
  pages.Advance(pages.Points(SectionGap));
  PrintChart(pages, printed.chart);
  pages.Advance(pages.Points(SectionGap));
  YearTable(pages, printed.table).Print();
  return painter.end();
}

}  // namespace penmarrow::ui
