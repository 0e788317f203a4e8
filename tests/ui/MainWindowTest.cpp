// The main window's own events on the real window: start-up, continuous compounding mode, the
// years field with the slider, the totals' resize rule and a projection that overflows.


#include <QApplication>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

class MainWindow : public WindowFixture {
 protected:

  static void Pick(TComboBox* box, const QString& name) {
    const int index = box->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  QStringList Captions(const TotalsPanel& t) const {
    return {t.initialDepVal->text(), t.regularDepVal->text(), t.totalIntVal->text(), t.totalVal->text()};
  }
  // Typing replaces the selected text; typing nothing deletes it.
  void TypeYears(const QString& keys) {
    window.seYears->selectAll();
    if (keys.isEmpty()) QTest::keyClick(window.seYears, Qt::Key_Backspace);
    QTest::keyClicks(window.seYears, keys);
  }

};

TEST_F(MainWindow, StartsWithTheDefaultProjection) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Penmarrow"));
  EXPECT_EQ(Captions(window.Totals1), (QStringList{"$1,000", "$1,000", "$887", "$2,887"}));
  EXPECT_EQ(window.Chart->Series(2).Count(), 10);
  EXPECT_EQ(window.Chart->Series(3).Count(), 0);
  EXPECT_EQ(window.Chart->Series(2).Marks().ArrowLength(), 20);
  EXPECT_FALSE(window.Totals2.panel->isVisible());
  EXPECT_EQ(window.Chart->legend->itemCount(), 3);
  const int centre = window.LinkLabel->x() + window.LinkLabel->width() / 2;
  EXPECT_LE(std::abs(centre - window.width() / 2), 1);
}

TEST_F(MainWindow, AlternativeStrategyComparesTheFinalInterest) {
  QTest::mouseClick(window.chAlternative, Qt::LeftButton, {}, QPoint(5, window.chAlternative->height() / 2));
  EXPECT_EQ(Captions(window.Totals2), (QStringList{"$1,000", "$750", "$822", "$2,572"}));
  EXPECT_EQ(window.Chart->Series(2).Marks().ArrowLength(), 25);
  EXPECT_EQ(window.Chart->Series(5).Marks().ArrowLength(), 10);
  EXPECT_TRUE(window.Chart->Series(5).Marks().OnTop());
  EXPECT_EQ(window.Chart->legend->itemCount(), 6);
  window.TAltdep->SetText(QStringLiteral("$200"));
  EXPECT_EQ(Captions(window.Totals2), (QStringList{"$1,000", "$2,000", "$1,144", "$4,144"}));
  EXPECT_EQ(window.Chart->Series(2).Marks().ArrowLength(), 10);
  EXPECT_EQ(window.Chart->Series(5).Marks().ArrowLength(), 25);
  QTest::mouseClick(window.chAlternative, Qt::LeftButton, {}, QPoint(5, window.chAlternative->height() / 2));
  EXPECT_EQ(window.Chart->Series(5).Count(), 0);
  EXPECT_FALSE(window.APanel->isEnabled());
  EXPECT_EQ(window.Chart->legend->itemCount(), 3);
}

TEST_F(MainWindow, ContinuousCompoundingTakesTheRegularDepositAwayAndGivesItBack) {
  Pick(window.CcompFreq, QStringLiteral("Continuous"));
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$0"));
  EXPECT_FALSE(window.TRegDep->isEnabled());
  EXPECT_FALSE(window.CDefFreq->isEnabled());
  EXPECT_EQ(window.Totals1.totalIntVal->text(), QStringLiteral("$649"));
  Pick(window.CcompFreq, QStringLiteral("Annually"));
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$100"));
  EXPECT_TRUE(window.TRegDep->isEnabled());
  EXPECT_EQ(window.f, 1);
  EXPECT_FALSE(window.Month);
  EXPECT_EQ(window.Totals1.totalVal->text(), QStringLiteral("$2,887"));
}

TEST_F(MainWindow, ADepositFrequencyNoLongerMatchingFallsOnContinuousWithoutTheMode) {
  Pick(window.CDefFreq, QStringLiteral("Monthly"));
  Pick(window.CcompFreq, QStringLiteral("Monthly"));
  Pick(window.CDefFreq, QStringLiteral("Quarterly"));
  QStringList offered;
  for (int i = 0; i < window.CcompFreq->count(); ++i) offered << window.CcompFreq->itemText(i);
  EXPECT_EQ(offered, (QStringList{"Annually", "Quarterly", "Continuous"}));
  EXPECT_EQ(window.CcompFreq->currentText(), QStringLiteral("Continuous"));
  EXPECT_EQ(window.k, 4);
  EXPECT_EQ(window.f, 3650);
  EXPECT_TRUE(window.Month);
  EXPECT_TRUE(window.TRegDep->isEnabled());
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$100"));
}

TEST_F(MainWindow, YearsOutsideTheRangeAreRewrittenAndTheSliderFollows) {
  struct Case { QString typed; QString shown; int years; };
  const Case cases[] = {{"0", "1", 1}, {"60", "50", 50}, {"", "", 1}, {"7", "7", 7}};
  for (const Case& c : cases) {
    TypeYears(c.typed);
    EXPECT_EQ(window.seYears->text(), c.shown) << c.typed.toStdString();
    EXPECT_EQ(window.Chart->Series(0).Count(), c.years) << c.typed.toStdString();
    EXPECT_EQ(window.TB->maximum(), c.years - 1) << c.typed.toStdString();
  }
  window.TB->setValue(6);
  TypeYears(QStringLiteral("3"));
  EXPECT_EQ(window.TB->Position(), 2);
  EXPECT_EQ(window.lStartLater->text(), QStringLiteral("2 years"));
}

TEST_F(MainWindow, TabVisitsTheBottomPanelFirstAndTheAlternativeOnlyWhileItIsOn) {
  const auto visited = [&] {
    std::vector<QWidget*> order;
    window.chAlternative->setFocus();
    for (int i = 0; i < 11 && (order.empty() || QApplication::focusWidget() != order.front()); ++i) {
      order.push_back(QApplication::focusWidget());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return order;
  };
  const TFMain& w = window;
  EXPECT_EQ(visited(), (std::vector<QWidget*>{w.chAlternative, w.TIntDep, w.TRegDep, w.CDefFreq, w.CcompFreq,
                                               w.TIntRate, w.seYears, w.Chart}));
  QTest::mouseClick(window.chAlternative, Qt::LeftButton, {}, QPoint(5, window.chAlternative->height() / 2));
  EXPECT_EQ(visited(), (std::vector<QWidget*>{w.chAlternative, w.TAltdep, w.CAltFreq, w.TB, w.TIntDep, w.TRegDep,
                                               w.CDefFreq, w.CcompFreq, w.TIntRate, w.seYears, w.Chart}));
}

TEST_F(MainWindow, TotalsHideExactlyWhenAValueReachesItsCaption) {
  int width = window.width();
  while (window.Totals1.panel->isVisible() && width > window.minimumWidth()) window.resize(--width, window.height());
  ASSERT_FALSE(window.Totals1.panel->isVisible()) << "totals still shown at the smallest width";
  EXPECT_FALSE(window.lStats1->isVisible());
  EXPECT_FALSE(window.Totals1.LabelsFit());
  window.resize(width + 1, window.height());
  EXPECT_TRUE(window.Totals1.panel->isVisible());
  EXPECT_TRUE(window.Totals1.LabelsFit());
  const QRect chart = window.Chart->geometry();
  EXPECT_EQ(window.chMarks->x(), 20);
  EXPECT_EQ(chart.height() - window.chMarks->geometry().bottom() - 1, 9);
}

TEST_F(MainWindow, OverflowShowsOneErrorAndKeepsWhatWasWritten) {
  window.TRegDep->SetText(QStringLiteral("$0"));
  window.TIntRate->SetText(QStringLiteral("99.99"));
  window.TIntDep->SetText(QStringLiteral("$999,999"));
  TypeYears(QStringLiteral("5"));
  ASSERT_TRUE(errors.empty());
  const QStringList before = Captions(window.Totals1);
  QTest::keyClicks(window.seYears, QStringLiteral("0"));  // 50 years
  EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Invalid floating point operation.")});
  for (int series = 0; series < 3; ++series) EXPECT_EQ(window.Chart->Series(series).Count(), 43);
  EXPECT_EQ(Captions(window.Totals1), before);
}

}  // namespace
}  // namespace penmarrow::ui
