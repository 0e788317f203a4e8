// What the chart draws for three typical views, read from a grab of the whole window. With
// PENMARROW_GRAB_DIR set, the grabs are also saved there as PNG files for a look.

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <set>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

const QRgb YourInterestColour = qRgb(128, 0, 0);
const QRgb AlternativeInitialColour = qRgb(0, 128, 128);
const QRgb AlternativeDepositsColour = qRgb(0, 128, 192);
const QRgb AlternativeInterestColour = qRgb(0, 64, 128);

class ChartView : public WindowFixture {
 protected:
  // The window as the saver sees it; saved under `name` when a grab directory is given.
  QImage Grab(const QString& name) {
    window.Chart->replot();
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString dir = qEnvironmentVariable("PENMARROW_GRAB_DIR");
    if (!dir.isEmpty() && QDir().mkpath(dir)) {
      EXPECT_TRUE(shot.save(QDir(dir).filePath(name + ".png"))) << dir.toStdString();
    }
    return shot;
  }
  // The colour drawn in the middle of a point's bar.
  QRgb AtBar(const QImage& shot, int series, int index) const {
    const QPoint centre = window.Chart->Series(series).BarRect(index).center().toPoint();
    return shot.pixel(window.Chart->mapTo(&window, centre) * shot.devicePixelRatio()) & 0xFFFFFF;
  }
  static void ExpectTicksApart(const TChart& chart, const std::string& state) {
    const QFontMetrics metrics(chart.xAxis->tickLabelFont());
    const QVector<double> ticks = chart.xAxis->tickVector();
    const QVector<QString> labels = chart.xAxis->tickVectorLabels();
    for (qsizetype i = 1; i < ticks.size(); ++i) {
      const double apart =
          chart.xAxis->coordToPixel(ticks[i]) - chart.xAxis->coordToPixel(ticks[i - 1]);
      EXPECT_GE(
          apart,
          (metrics.horizontalAdvance(labels[i - 1]) + metrics.horizontalAdvance(labels[i])) / 2.0 +
              2)
          << state << ": year labels " << labels[i - 1].toStdString() << " and "
          << labels[i].toStdString();
    }
  }
  // Neighbouring legend items in a row stand one gap apart, however long their texts.
  static void ExpectEvenlySpacedLegend(const TChart& chart, const std::string& state) {
    std::set<int> gaps;
    const auto items = chart.LegendItems();
    for (std::size_t i = 1; i < items.size(); ++i)
      if (items[i]->outerRect().top() == items[i - 1]->outerRect().top())
        gaps.insert(items[i]->outerRect().left() - items[i - 1]->outerRect().right());
    EXPECT_LE(gaps.size(), 1u) << state;
  }
  // Every mark shown lies in the plot, none touches another, and the last year's are always shown.
  static void ExpectMarksInsideAndApart(const TChart& chart, const QRect& plot,
                                        const std::string& state) {
    std::vector<QRectF> boxes;
    for (const int series : {YourInterest, AlternativeInterest}) {
      const auto& placed = chart.Series(series).Marks().Placement();
      if (chart.Series(series).Count() == 0) continue;
      ASSERT_EQ(static_cast<int>(placed.size()), chart.Series(series).Count()) << state;
      EXPECT_TRUE(placed.back().has_value())
          << state << ": the last year's mark of series " << series;
      for (const auto& box : placed)
        if (box) boxes.push_back(*box);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_TRUE(QRectF(plot).contains(boxes[i])) << state << ": a mark outside the plot";
      for (std::size_t j = i + 1; j < boxes.size(); ++j)
        EXPECT_FALSE(boxes[i].intersects(boxes[j])) << state;
    }
  }
  // Every bar stands on whole device pixels, all of one width, its series' exact colour reaching
  // its edges; where a mark's box or the axis' ticks cover a bar, its colour is not looked at.
  void ExpectCrispBars(const QImage& shot, const std::string& state) const {
    const qreal ratio = shot.devicePixelRatio();
    const QPointF origin = QPointF(window.Chart->mapTo(&window, QPoint(0, 0))) * ratio;
    const TChart& chart = *window.Chart;
    const double ticks =
        origin.y() + (chart.axisRect()->bottom() - chart.xAxis->tickLengthIn() - 1) * ratio;
    std::set<long> widths;
    for (int s = 0; s < TChart::SeriesCount; ++s) {
      const TChartSeries& series = window.Chart->Series(s);
      for (int i = 0; i < series.Count(); ++i) {
        const QRectF bar(series.BarRect(i).topLeft() * ratio + origin,
                         series.BarRect(i).size() * ratio);
        EXPECT_EQ(bar, QRectF(bar.toRect())) << state << ": series " << s << " year " << i + 1;
        widths.insert(std::lround(bar.width()));
        const QPoint middle = bar.toRect().center();
        if (bar.height() < 1 || middle.y() >= ticks ||
            UnderAMark((QPointF(middle) - origin) / ratio))
          continue;
        for (const int x : {bar.toRect().left(), bar.toRect().right()})
          EXPECT_EQ(shot.pixel(x, middle.y()), series.brush().color().rgb())
              << state << ": series " << s << " year " << i + 1;
      }
    }
    EXPECT_EQ(widths.size(), 1u) << state;
  }
  bool UnderAMark(QPointF inChart) const {
    for (const int series : {YourInterest, AlternativeInterest})
      for (const auto& box : window.Chart->Series(series).Marks().Placement())
        if (box && box->adjusted(-1, -1, 1, 1).contains(inChart)) return true;
    return false;
  }
  // The axes' labels and the marks as written: whole amounts grouped by commas, in any locale.
  QStringList ChartTexts() const {
    const TChart& chart = *window.Chart;
    QStringList texts = chart.xAxis->tickVectorLabels().toList();
    texts << chart.yAxis->tickVectorLabels().toList();
    for (const int series : {YourInterest, AlternativeInterest})
      for (int i = 0; i < chart.Series(series).Count(); ++i)
        texts << chart.Series(series).Marks().Text(i);
    return texts;
  }
  void ExpectWholeGroupedAmounts(const std::string& state) const {
    static const QRegularExpression amount(QStringLiteral("^( \\$)?[0-9]{1,3}(,[0-9]{3})*$"));
    for (const QString& text : ChartTexts())
      EXPECT_TRUE(amount.match(text).hasMatch()) << state << ": " << text.toStdString();
  }
  static int Pixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x)
        count += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
    return count;
  }
};

TEST_F(ChartView, AlternativeStacksAppearOnlyWhileItIsOnAndFiftyDailyYearsAllGetBars) {
  const QImage alone = Grab(QStringLiteral("default"));
  EXPECT_EQ(AtBar(alone, YourInterest, 9), YourInterestColour & 0xFFFFFF);
  EXPECT_EQ(Pixels(alone, AlternativeInitialColour), 0);
  EXPECT_EQ(Pixels(alone, AlternativeInterestColour), 0);
  const QStringList texts = ChartTexts();
  EXPECT_EQ(texts.mid(texts.size() - 10),
            QString("50 108 173 247 329 420 521 632 754 887").split(u' '));
  ExpectWholeGroupedAmounts("default");

  ClickAlternative();
  const QImage compared = Grab(QStringLiteral("alternative"));
  EXPECT_EQ(AtBar(compared, YourInterest, 9), YourInterestColour & 0xFFFFFF);
  EXPECT_EQ(AtBar(compared, AlternativeSeries, 9), AlternativeInitialColour & 0xFFFFFF);
  EXPECT_EQ(AtBar(compared, AlternativeSeries + 1, 9), AlternativeDepositsColour & 0xFFFFFF);
  EXPECT_EQ(AtBar(compared, AlternativeInterest, 9), AlternativeInterestColour & 0xFFFFFF);
  ExpectCrispBars(compared, "alternative");
  ClickAlternative();

  Pick(window.CDefFreq, QStringLiteral("Daily"));
  Pick(window.CcompFreq, QStringLiteral("Daily"));
  TypeYears(QStringLiteral("50"));
  EXPECT_EQ(window.CDefFreq->currentText(), QStringLiteral("Daily"));
  EXPECT_EQ(window.CcompFreq->currentText(), QStringLiteral("Daily"));
  EXPECT_EQ(window.Chart->Series(YourInterest).Count(), 50);
  EXPECT_EQ(window.Chart->Series(1).YValue(0), 36500);
  EXPECT_EQ(window.Totals1.regularDepVal->text(), QStringLiteral("$1,825,000"));
  const QImage daily = Grab(QStringLiteral("daily-50-years"));
  for (const int year : {25, 50})
    EXPECT_EQ(AtBar(daily, 1, year - 1), qRgb(128, 64, 0) & 0xFFFFFF) << year;
  EXPECT_EQ(AtBar(daily, YourInterest, 49), YourInterestColour & 0xFFFFFF);
  EXPECT_EQ(Pixels(daily, AlternativeInterestColour), 0);
  ExpectCrispBars(daily, "50 years");
  ExpectWholeGroupedAmounts("50 years");
  ClickAlternative();
  window.resize(window.minimumSize());
  ExpectCrispBars(Grab(QStringLiteral("narrow-50-years")), "narrow, 50 years, alternative");
  EXPECT_TRUE(errors.empty());
}

TEST_F(ChartView, LegendTicksAndMarksStayWholeAndApartAtEverySizeRightAfterAResize) {
  for (const bool alternative : {false, true}) {
    if (alternative) ClickAlternative();
    for (const char* years : {"1", "10", "50"}) {
      TypeYears(QString::fromLatin1(years));
      for (const QSize size : {window.minimumSize(), QSize(1600, 1000), window.minimumSize()}) {
        QCoreApplication::processEvents();  // the recalculation's own redraw
        window.resize(size);  // the chart redraws for the new size, without a recalculation
        const std::string state = std::string(alternative ? "alternative, " : "") + years +
                                  " years at " + std::to_string(size.width()) + "x" +
                                  std::to_string(size.height());
        const TChart& chart = *window.Chart;
        const QRect plot = chart.axisRect()->rect();
        EXPECT_EQ(chart.LegendItems().size(), alternative ? 6u : 3u) << state;
        for (const QCPAbstractLegendItem* item : chart.LegendItems()) {
          EXPECT_TRUE(chart.rect().contains(item->outerRect())) << state;
          EXPECT_EQ(item->outerRect().width(), item->minimumOuterSizeHint().width())
              << state << ": room beyond its text";
        }
        EXPECT_EQ(plot.top() - chart.legend->outerRect().bottom() - 1, 5)
            << state << ": legend to plot";
        ExpectEvenlySpacedLegend(chart, state);
        ExpectTicksApart(chart, state);
        ExpectMarksInsideAndApart(chart, plot, state);
      }
    }
  }
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace penmarrow::ui
