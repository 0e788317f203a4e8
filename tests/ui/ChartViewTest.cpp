// What the chart draws for three typical views, read from a grab of the whole window. With
// PENMARROW_GRAB_DIR set, the grabs are also saved there as PNG files for a look.

#include <QDir>
#include <QImage>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

const QRgb YourInterest = qRgb(128, 0, 0);
const QRgb AlternativeInitial = qRgb(0, 128, 128);
const QRgb AlternativeDeposits = qRgb(0, 128, 192);
const QRgb AlternativeInterest = qRgb(0, 64, 128);

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
  static int Pixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) count += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
    return count;
  }
};

TEST_F(ChartView, AlternativeStacksAppearOnlyWhileItIsOnAndFiftyDailyYearsAllGetBars) {
  const QImage alone = Grab(QStringLiteral("default"));
  EXPECT_EQ(AtBar(alone, 2, 9), YourInterest & 0xFFFFFF);
  EXPECT_EQ(Pixels(alone, AlternativeInitial), 0);
  EXPECT_EQ(Pixels(alone, AlternativeInterest), 0);

  ClickAlternative();
  const QImage compared = Grab(QStringLiteral("alternative"));
  EXPECT_EQ(AtBar(compared, 2, 9), YourInterest & 0xFFFFFF);
  EXPECT_EQ(AtBar(compared, 3, 9), AlternativeInitial & 0xFFFFFF);
  EXPECT_EQ(AtBar(compared, 4, 9), AlternativeDeposits & 0xFFFFFF);
  EXPECT_EQ(AtBar(compared, 5, 9), AlternativeInterest & 0xFFFFFF);
  ClickAlternative();

  Pick(window.CDefFreq, QStringLiteral("Daily"));
  Pick(window.CcompFreq, QStringLiteral("Daily"));
  TypeYears(QStringLiteral("50"));
  EXPECT_EQ(window.k, 365);
  EXPECT_EQ(window.f, 365);
  EXPECT_TRUE(window.Month);
  EXPECT_EQ(window.Chart->Series(2).Count(), 50);
  EXPECT_EQ(window.Chart->Series(1).YValue(0), 36500);
  EXPECT_EQ(window.Totals1.regularDepVal->text(), QStringLiteral("$1,825,000"));
  const QImage daily = Grab(QStringLiteral("daily-50-years"));
  for (const int year : {25, 50}) EXPECT_EQ(AtBar(daily, 1, year - 1), qRgb(128, 64, 0) & 0xFFFFFF) << year;
  EXPECT_EQ(AtBar(daily, 2, 49), YourInterest & 0xFFFFFF);
  EXPECT_EQ(Pixels(daily, AlternativeInterest), 0);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace penmarrow::ui
