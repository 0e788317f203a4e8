// The year hint on the real window, driven by pointer
// moves over the chart or by the chart's keyboard cursor.

#include <QPainter>

#include "core/MoneyText.h"
#include "tests/ui/WindowFixture.h"
#include "ui/ChartFocus.h"
#include "ui/YearFigures.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

class YearHint : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    window.TIntDep->setFocus();
    window.Chart->replot();
  }
  // Moves the pointer to bottom-axis position `position`, just above the zero line.
  void PointAt(double position) {
    const QPoint at(static_cast<int>(window.Chart->xAxis->coordToPixel(position)),
                    static_cast<int>(window.Chart->yAxis->coordToPixel(0)) - 2);
    QTest::mouseMove(window.Chart, at);
    QCoreApplication::processEvents();
  }
  void PointAtYear(int year) { PointAt(year - 1); }
  // Your total savings of a year as the series hold it now.
  QString TotalOf(int year) const {
    return ToQString(FormatMoney(FiguresAt(*window.Chart, 0, year - 1)->Total()));
  }
  int WidestOf(std::initializer_list<QLabel*> labels) const {
    int widest = 0;
    for (QLabel* label : labels) widest = std::max(widest, label->sizeHint().width());
    return widest;
  }

  // For a look at what the saver sees: the window with the hint drawn where it stands.
  void SaveGrab() {
    const QByteArray dir = qgetenv("PENMARROW_GRAB_DIR");
    if (dir.isEmpty()) return;
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    painter.setOpacity(hint->windowOpacity());
    painter.drawPixmap(window.mapFromGlobal(hint->pos()), hint->grab());
    painter.end();
    shot.save(QString::fromLocal8Bit(dir) + QStringLiteral("/hint.png"));
  }
};

TEST_F(YearHint, ShowsTheYearUnderThePointerWithYourColumnOnly) {
  PointAtYear(1);
  ASSERT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->lAfter->text(), QStringLiteral("After 1 year"));
  EXPECT_EQ(hint->lTotal1->text(), QStringLiteral("$1,150"));
  EXPECT_FALSE(hint->lAlternative->isVisibleTo(hint));
  EXPECT_EQ(hint->width(), 100 +
                               WidestOf({hint->lYourStrategy, hint->lInit1, hint->lRegular1,
                                         hint->lTotalInt1, hint->lTotal1}) +
                               6);
  PointAtYear(2);
  EXPECT_EQ(hint->lAfter->text(), QStringLiteral("After 2 years"));
}

TEST_F(YearHint, OverTheMarksBoxTheChartHasNoPointerSoTheHintHides) {
  PointAtYear(1);
  ASSERT_TRUE(hint->isVisible());
  // A point of the box that lies over year 1's column, where the chart alone would show the hint.
  const QRect box = window.chMarks->geometry();
  const QPoint overYear1(static_cast<int>(window.Chart->xAxis->coordToPixel(-0.3)),
                         box.center().y());
  ASSERT_TRUE(box.contains(overYear1));
  QTest::mouseMove(window.chMarks, overYear1 - box.topLeft());
  QCoreApplication::processEvents();
  EXPECT_FALSE(hint->isVisible());
  PointAtYear(1);
  EXPECT_TRUE(hint->isVisible());
}

TEST_F(YearHint, HiddenOffTheBarsAndFilledAnewOnComingBack) {
  struct Case {
    double position;
    bool shown;
  };
  const Case cases[] = {{-0.55, true}, {-0.65, false}, {9.25, true}, {9.35, false}};
  for (const Case& c : cases) {
    PointAt(c.position);
    EXPECT_EQ(hint->isVisible(), c.shown) << c.position;
  }
  // Back on the same year after a change made while hidden, the hint shows the new figures.
  PointAt(-0.55);
  const QString before = hint->lTotal1->text();
  PointAt(-0.65);
  window.TRegDep->SetTextAndNotify(QStringLiteral("$500"));
  PointAt(-0.55);
  EXPECT_NE(hint->lTotal1->text(), before);
}

TEST_F(YearHint, ShowsTheCurrentFiguresWithinAYearAndTheFocusStaysInTheField) {
  PointAtYear(3);
  const QString total = hint->lTotal1->text();
  window.TRegDep->SetTextAndNotify(QStringLiteral("$500"));
  EXPECT_EQ(hint->lTotal1->text(), total);  // while the pointer rests
  PointAt(2.1);                             // still year 3, whose figures have changed
  EXPECT_EQ(hint->lTotal1->text(), TotalOf(3));
  EXPECT_EQ(QApplication::activeWindow(), &window);
  EXPECT_EQ(QApplication::focusWidget(), window.TIntDep);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(window.Chart, &leave);
  EXPECT_FALSE(hint->isVisible());
  // Back from a field where the figures changed, straight onto the same year.
  window.TIntRate->SetTextAndNotify(QStringLiteral("9"));
  PointAtYear(3);
  EXPECT_EQ(hint->lTotal1->text(), TotalOf(3));
}

TEST_F(YearHint, AlternativeColumnShowsZeroBeforeItsStart) {
  QTest::mouseClick(window.chAlternative, Qt::LeftButton, {},
                    QPoint(5, window.chAlternative->height() / 2));
  ASSERT_TRUE(window.chAlternative->isChecked());
  window.TB->setValue(3);
  window.Chart->replot();
  PointAtYear(2);
  ASSERT_TRUE(hint->lAlternative->isVisibleTo(hint));
  for (QLabel* label : {hint->lInit2, hint->lRegular2, hint->lTotalInt2, hint->lTotal2})
    EXPECT_EQ(label->text(), QStringLiteral("$0"));
  const int columns = 100 +
                      WidestOf({hint->lYourStrategy, hint->lInit1, hint->lRegular1,
                                hint->lTotalInt1, hint->lTotal1}) +
                      WidestOf({hint->lAlternative, hint->lInit2, hint->lRegular2, hint->lTotalInt2,
                                hint->lTotal2}) +
                      20;
  EXPECT_EQ(hint->width(), columns + 6);
  SaveGrab();
}

// Nothing shows until the chart has the focus; then each key frames the bars of its cell and the
// hint shows that year, while the focus stays on the chart; when the focus leaves, all of it goes.
TEST_F(YearHint, TheKeyboardsCellIsFramedWithItsYearUntilTheFocusLeaves) {
  ClickAlternative();
  window.Chart->replot();
  const auto* focus = window.Chart->findChild<ChartFocus*>();
  ASSERT_NE(focus, nullptr);
  const QImage unfocused = window.Chart->grab().toImage();
  window.Chart->setFocus();
  EXPECT_NE(window.Chart->grab().toImage(), unfocused);
  EXPECT_FALSE(focus->CellBars());
  EXPECT_FALSE(hint->isVisible());
  const struct {
    Qt::Key key;
    int firstSeries;  // the framed bars
    int lastSeries;
    int year;
  } moves[] = {{Qt::Key_Down, 0, 5, 1},  {Qt::Key_Right, 0, 0, 1},    {Qt::Key_Right, 1, 1, 1},
               {Qt::Key_Right, 2, 2, 1}, {Qt::Key_Right, 0, 2, 1},    {Qt::Key_End, 3, 5, 1},
               {Qt::Key_Left, 5, 5, 1},  {Qt::Key_PageDown, 5, 5, 10}};
  for (const auto& move : moves) {
    QTest::keyClick(window.Chart, move.key);
    QRectF bars = window.Chart->Series(move.firstSeries).BarRect(move.year - 1);
    for (int series = move.firstSeries + 1; series <= move.lastSeries; ++series)
      bars = bars.united(window.Chart->Series(series).BarRect(move.year - 1));
    EXPECT_EQ(focus->CellBars(), bars) << move.key;
    EXPECT_TRUE(hint->isVisible()) << move.key;
    EXPECT_EQ(hint->lAfter->text(),
              QStringLiteral("After %1 year%2").arg(move.year).arg(move.year > 1 ? "s" : ""));
  }
  EXPECT_EQ(hint->lTotalInt2->text(), window.Totals2.totalIntVal->text());
  EXPECT_EQ(QApplication::activeWindow(), &window);
  EXPECT_EQ(QApplication::focusWidget(), window.Chart);
  window.TIntDep->setFocus();
  EXPECT_FALSE(hint->isVisible());
  EXPECT_EQ(window.Chart->grab().toImage(), unfocused);
}

}  // namespace
}  // namespace penmarrow::ui
