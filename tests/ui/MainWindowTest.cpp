// The main window's own events on the real window: start-up, the alternative strategy, continuous
// compounding mode, the years field with the slider, the totals' resize rule and a projection that
// overflows, with the keys typed behind its box.

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <climits>

#include "tests/ui/WindowFixture.h"
#include "ui/platform/ErrorBox.h"

namespace penmarrow::ui {
namespace {

class MainWindow : public WindowFixture {
 protected:
  // How far each value label of a panel stays right of its caption's right edge, the closest pair.
  static int NarrowestGap(const TotalsPanel& t) {
    int gap = INT_MAX;
    for (const auto& [caption, value] : t.Rows())
      gap = std::min(gap, value->x() - (caption->x() + caption->width()));
    return gap;
  }
};

TEST_F(MainWindow, StartsWithTheDefaultProjection) {
  EXPECT_EQ(window.size(), QSize(992, 512));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Penmarrow"));
  EXPECT_EQ(Captions(window.Totals1), (QStringList{"$1,000", "$1,000", "$887", "$2,887"}));
  for (int series = 0; series < TChart::SeriesCount; ++series)
    EXPECT_EQ(window.Chart->Series(series).Count(), series < 3 ? 10 : 0) << "series " << series;
  EXPECT_EQ(window.Chart->Series(YourInterest).Marks().ArrowLength(), 20);
  EXPECT_FALSE(window.Totals2.panel->isVisible());
  EXPECT_FALSE(window.lStats2->isVisible());
  EXPECT_FALSE(window.APanel->isEnabled());
  EXPECT_EQ(window.Chart->LegendItems().size(), 3u);
  EXPECT_EQ(QApplication::focusWidget(), window.TIntDep);
  const int centre = window.LinkLabel->x() + window.LinkLabel->width() / 2;
  EXPECT_LE(std::abs(centre - window.width() / 2), 1);
}

TEST_F(MainWindow, TheStrategyEndingWithMoreInterestGetsTheLongerArrow) {
  ClickAlternative();
  struct Case {
    QString deposit;
    int startLater;
    QStringList totals;
    int yourArrow;
    int alternativeArrow;
  };
  const Case cases[] = {
      {"75", 0, {"$1,000", "$750", "$822", "$2,572"}, 25, 10},
      {"200", 0, {"$1,000", "$2,000", "$1,144", "$4,144"}, 10, 25},
      {"100",
       0,
       {"$1,000", "$1,000", "$887", "$2,887"},
       25,
       10},                                                   // equal interest: yours stays longer
      {"75", 9, {"$1,000", "$75", "$50", "$1,125"}, 25, 10},  // its last year is its first
  };
  for (const Case& c : cases) {
    TypeInto(window.TAltdep, c.deposit);
    window.TB->setValue(c.startLater);
    const std::string label = c.deposit.toStdString() + " later " + std::to_string(c.startLater);
    EXPECT_EQ(Captions(window.Totals2), c.totals) << label;
    EXPECT_EQ(Captions(window.Totals1), (QStringList{"$1,000", "$1,000", "$887", "$2,887"}))
        << label;
    EXPECT_EQ(window.Chart->Series(YourInterest).Marks().ArrowLength(), c.yourArrow) << label;
    EXPECT_EQ(window.Chart->Series(AlternativeInterest).Marks().ArrowLength(), c.alternativeArrow)
        << label;
    EXPECT_TRUE(window.Chart->Series(YourInterest).Marks().OnTop()) << label;
    EXPECT_TRUE(window.Chart->Series(AlternativeInterest).Marks().OnTop()) << label;
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, SwitchingTheAlternativeOffEmptiesItsSeriesAndLocksItsPanel) {
  ClickAlternative();
  EXPECT_TRUE(window.APanel->isEnabled());
  EXPECT_EQ(window.Chart->LegendItems().size(), 6u);
  EXPECT_TRUE(window.Totals2.panel->isVisible());
  EXPECT_TRUE(window.lStats2->isVisible());
  for (int series = 3; series < 6; ++series)
    EXPECT_EQ(window.Chart->Series(series).Count(), 10) << series;
  ClickAlternative();
  for (int series = 3; series < 6; ++series)
    EXPECT_EQ(window.Chart->Series(series).Count(), 0) << series;
  EXPECT_FALSE(window.APanel->isEnabled());
  EXPECT_EQ(window.Chart->LegendItems().size(), 3u);
  EXPECT_FALSE(window.Totals2.panel->isVisible());
  EXPECT_FALSE(window.lStats2->isVisible());
  EXPECT_EQ(window.Chart->Series(YourInterest).Marks().ArrowLength(), 20);
}

TEST_F(MainWindow, ContinuousCompoundingModeIsEnteredAndLeftWithOneRecalculationEach) {
  EXPECT_EQ(CountRecalculations([&] { Pick(window.CcompFreq, QStringLiteral("Continuous")); }), 1);
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$0"));
  EXPECT_FALSE(window.TRegDep->isEnabled());
  EXPECT_FALSE(window.CDefFreq->isEnabled());
  EXPECT_EQ(window.CcompFreq->currentText(), QStringLiteral("Continuous"));
  EXPECT_EQ(Values(1), std::vector<double>(10, 0.0));  // k·a with the deposit taken away
  EXPECT_EQ(window.Totals1.totalIntVal->text(), QStringLiteral("$649"));
  EXPECT_EQ(CountRecalculations([&] { Pick(window.CcompFreq, QStringLiteral("Annually")); }), 1);
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$100"));
  EXPECT_TRUE(window.TRegDep->isEnabled());
  EXPECT_TRUE(window.CDefFreq->isEnabled());
  EXPECT_EQ(window.CcompFreq->currentText(), QStringLiteral("Annually"));
  EXPECT_EQ(Values(1), (std::vector<double>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
  EXPECT_EQ(window.Totals1.totalVal->text(), QStringLiteral("$2,887"));
}

TEST_F(MainWindow, ADepositFrequencyNoLongerMatchingFallsOnContinuousWithoutTheMode) {
  Pick(window.CDefFreq, QStringLiteral("Monthly"));
  Pick(window.CcompFreq, QStringLiteral("Monthly"));
  EXPECT_EQ(CountRecalculations([&] { Pick(window.CDefFreq, QStringLiteral("Quarterly")); }), 1);
  QStringList offered;
  for (int i = 0; i < window.CcompFreq->count(); ++i) offered << window.CcompFreq->itemText(i);
  EXPECT_EQ(offered, (QStringList{"Annually", "Quarterly", "Continuous"}));
  EXPECT_EQ(window.CcompFreq->currentText(), QStringLiteral("Continuous"));
  EXPECT_EQ(Values(1).front(), 400);  // four deposits of $100 a year
  EXPECT_TRUE(window.TRegDep->isEnabled());
  EXPECT_TRUE(window.CDefFreq->isEnabled());
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$100"));
  EXPECT_EQ(Values(1),
            std::vector<double>(10, 400.0));  // the continuous branch keeps k·a every year
}

TEST_F(MainWindow, YearsOutsideTheRangeAreRewrittenAndTheSliderFollows) {
  struct Case {
    QString typed;
    QString shown;
    int years;
  };
  const Case cases[] = {{"0", "1", 1}, {"60", "50", 50}, {"", "", 1}, {"7", "7", 7}};
  for (const Case& c : cases) {
    window.TB->setValue(window.TB->maximum());
    TypeYears(c.typed);
    EXPECT_EQ(window.seYears->text(), c.shown) << c.typed.toStdString();
    EXPECT_EQ(window.Chart->Series(0).Count(), c.years) << c.typed.toStdString();
    EXPECT_EQ(window.TB->maximum(), c.years - 1) << c.typed.toStdString();
    EXPECT_LE(window.TB->Position(), window.TB->maximum()) << c.typed.toStdString();
  }
}

TEST_F(MainWindow, PastedYearsBeyondWhatAWholeNumberHoldsAreRewrittenToo) {
  struct Case {
    QString pasted;
    QString shown;
  };
  // Characters that typing refuses are refused in a paste too: the field keeps its number.
  const Case cases[] = {{"99999999999", "50"},
                        {"-99999999999", "1"},
                        {"123456789012345678901234", "50"},
                        {"0x7FFFFFFFFFFFFFFF", "50"},
                        {"ten", "50"}};
  for (const Case& c : cases) {
    QApplication::clipboard()->setText(c.pasted);
    window.seYears->selectAll();
    // Ctrl+V as a keyboard delivers it: the key with its control character.
    QTest::sendKeyEvent(QTest::Click, window.seYears, Qt::Key_V, QString(QChar(0x16)),
                        Qt::ControlModifier);
    EXPECT_EQ(window.seYears->text(), c.shown) << c.pasted.toStdString();
    EXPECT_EQ(window.Chart->Series(0).Count(), c.shown == "50" ? 50 : 1) << c.pasted.toStdString();
  }
}

TEST_F(MainWindow, OnlyTheUpAndDownKeysStepTheYearsAndByOneWhateverTheModifiers) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString shown;
  };
  const Case cases[] = {
      {Qt::Key_Up, Qt::NoModifier, "11"},       {Qt::Key_PageUp, Qt::NoModifier, "11"},
      {Qt::Key_Up, Qt::ControlModifier, "12"},  {Qt::Key_Down, Qt::NoModifier, "11"},
      {Qt::Key_PageDown, Qt::NoModifier, "11"}, {Qt::Key_Down, Qt::ControlModifier, "10"}};
  window.seYears->setFocus();
  for (const Case& c : cases) {
    QTest::keyClick(window.seYears, c.key, c.modifiers);
    EXPECT_EQ(window.seYears->text(), c.shown) << c.key << " " << c.modifiers.toInt();
  }
  const QPointF centre = window.seYears->rect().center();
  QWheelEvent notch(centre, window.seYears->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window.seYears, &notch);
  EXPECT_EQ(window.seYears->text(), QStringLiteral("11"));
}

TEST_F(MainWindow, TheYearsFieldTakesDeleteAndNoDigitsButAscii) {
  TypeYears(QStringLiteral("12"));
  QTest::keyClick(window.seYears, Qt::Key_Home);
  QTest::keyClick(window.seYears, Qt::Key_Delete);
  EXPECT_EQ(window.seYears->text(), QStringLiteral("2"));
  // Arabic-Indic and full-width digits, typed or pasted.
  for (const QString& foreign : {QStringLiteral("\u0662\u0665"), QStringLiteral("\uFF15\uFF10")}) {
    QApplication::clipboard()->setText(foreign);
    window.seYears->selectAll();
    QTest::sendKeyEvent(QTest::Click, window.seYears, Qt::Key_unknown, foreign.left(1),
                        Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, window.seYears, Qt::Key_V, QString(QChar(0x16)),
                        Qt::ControlModifier);
    EXPECT_EQ(window.seYears->text(), QStringLiteral("2")) << foreign.toStdString();
  }
}

TEST_F(MainWindow, ClickingShowMarksTakesTheFocusSoTheFieldIsLeft) {
  TypeInto(window.TIntDep, QStringLiteral("10005"));
  window.TIntDep->setCursorPosition(0);
  QTest::keyClicks(window.TIntDep, QStringLiteral("$"));  // dropped: the field still reads "10005"
  QTest::mouseClick(window.chMarks, Qt::LeftButton, {}, QPoint(5, window.chMarks->height() / 2));
  EXPECT_EQ(QApplication::focusWidget(), window.chMarks);
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$10,005"));
  EXPECT_FALSE(window.chMarks->isChecked());
  EXPECT_FALSE(window.chMarks->focusPolicy() & Qt::TabFocus);
}

TEST_F(MainWindow, LoweringTheYearsBelowTheStartLaterPullsTheSliderBack) {
  ClickAlternative();
  TypeYears(QStringLiteral("10"));
  window.TB->setValue(7);
  TypeYears(QStringLiteral("3"));
  EXPECT_EQ(window.TB->maximum(), 2);
  EXPECT_EQ(window.TB->Position(), 2);
  EXPECT_EQ(window.lStartLater->text(), QStringLiteral("2 years"));
  EXPECT_EQ(Values(3), (std::vector<double>{0, 0, 1000}));
  EXPECT_EQ(window.Chart->Series(AlternativeSeries).Label(2), QStringLiteral("3"));
}

TEST_F(MainWindow, TabVisitsTheBottomPanelFirstAndTheAlternativeOnlyWhileItIsOn) {
  const auto visited = [&] {
    std::vector<QWidget*> order;
    window.chAlternative->setFocus();
    for (int i = 0; i < 11 && (order.empty() || QApplication::focusWidget() != order.front());
         ++i) {
      order.push_back(QApplication::focusWidget());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return order;
  };
  const TFMain& w = window;
  EXPECT_EQ(visited(), (std::vector<QWidget*>{w.chAlternative, w.TIntDep, w.TRegDep, w.CDefFreq,
                                              w.CcompFreq, w.TIntRate, w.seYears, w.Chart}));
  ClickAlternative();
  EXPECT_EQ(visited(), (std::vector<QWidget*>{w.chAlternative, w.TAltdep, w.CAltFreq, w.TB,
                                              w.TIntDep, w.TRegDep, w.CDefFreq, w.CcompFreq,
                                              w.TIntRate, w.seYears, w.Chart}));
}

TEST_F(MainWindow, TotalsHideExactlyWhenAValueReachesItsCaption) {
  ClickAlternative();
  int width = window.width();
  while (window.Totals1.panel->isVisible() && width > window.minimumWidth())
    window.resize(--width, window.height());
  ASSERT_FALSE(window.Totals1.panel->isVisible()) << "totals still shown at the smallest width";
  EXPECT_EQ(NarrowestGap(window.Totals1), 0);  // touching counts as not fitting
  EXPECT_FALSE(window.lStats1->isVisible());
  EXPECT_FALSE(window.Totals2.panel->isVisible());
  EXPECT_FALSE(window.lStats2->isVisible());
  window.resize(width + 1, window.height());
  EXPECT_EQ(NarrowestGap(window.Totals1), 1);
  EXPECT_TRUE(window.Totals1.panel->isVisible());
  EXPECT_TRUE(window.lStats1->isVisible());
  EXPECT_EQ(window.Totals2.panel->isVisible(), NarrowestGap(window.Totals2) > 0);
}

TEST_F(MainWindow, ShowMarksKeepsItsCornerOfTheChartAndTheWindowItsSmallestSize) {
  for (const QSize size : {QSize(700, 800), QSize(1300, 560), QSize(1, 1)}) {
    window.resize(size);
    const QRect chart = window.Chart->geometry();
    EXPECT_EQ(window.chMarks->x(), 20) << size.width() << "x" << size.height();
    EXPECT_EQ(chart.height() - window.chMarks->geometry().bottom() - 1, 9)
        << size.width() << "x" << size.height();
    EXPECT_EQ(window.Panel1->height(), 150);
  }
  // Under a frame thinner than 28 rows the smallest
  // height is the design height, which the window keeps.
  const QMargins frame = window.windowHandle()->frameMargins();
  EXPECT_EQ(window.frameGeometry().size(),
            QSize(485, std::min(540, 512 + frame.top() + frame.bottom())));
  EXPECT_FALSE(window.Totals1.panel->isVisible());
}

// Keys typed at the window while the box is up were typed at the field the user saw: they reach it,
// in order, once the box has closed, and one that overflows again opens the box again.
TEST_F(MainWindow, KeysTypedBehindTheErrorBoxReachTheFieldOnceItCloses) {
  window.seYears->SetValue(50);
  window.TIntRate->SetTextAndNotify(QStringLiteral("99.99"));
  ASSERT_TRUE(errors.empty());
  const auto shownBox = [] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) return box;
    return static_cast<QMessageBox*>(nullptr);
  };
  ErrorDisplay::SetPresenter([&](const QString& message) {
    errors.push_back(message);
    QTimer::singleShot(0, [&] {
      QMessageBox* box = shownBox();
      ASSERT_NE(box, nullptr);
      if (errors.size() == 1) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Penmarrow"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_TRUE(box->button(QMessageBox::Ok)->icon().isNull());
        // Sent where the window system sends them, to the window. The click is blocked as by a
        // modal box, and the keys wait.
        const QPoint check =
            window.chAlternative->mapTo(&window, QPoint(5, window.chAlternative->height() / 2));
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, check);
        for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_0, Qt::Key_Backspace, Qt::Key_Tab})
          QTest::keyClick(window.windowHandle(), key);
      }
      QTest::keyClick(box, Qt::Key_Return);  // the default button closes it
    });
    ShowErrorBox(message);
  });
  window.TIntDep->setFocus();
  window.TIntDep->setCursorPosition(6);
  QTest::keyClick(window.TIntDep, Qt::Key_0);  // "$1,0000" overflows
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == window.TRegDep; }));
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"));
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$1,000"));
  EXPECT_EQ(errors.size(), 2u);
  EXPECT_FALSE(window.chAlternative->isChecked());
}

TEST_F(MainWindow, OverflowShowsOneErrorAndKeepsWhatWasWritten) {
  window.TRegDep->SetTextAndNotify(QStringLiteral("$0"));
  window.TIntRate->SetTextAndNotify(QStringLiteral("99.99"));
  window.TIntDep->SetTextAndNotify(QStringLiteral("$999,999"));
  TypeYears(QStringLiteral("5"));
  ASSERT_TRUE(errors.empty());
  const QStringList before = Captions(window.Totals1);
  QTest::keyClicks(window.seYears, QStringLiteral("0"));  // 50 years
  EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Invalid floating point operation.")});
  for (int series = 0; series < 3; ++series)
    EXPECT_EQ(window.Chart->Series(series).Count(), 43) << series;
  EXPECT_EQ(Captions(window.Totals1), before);
}

}  // namespace
}  // namespace penmarrow::ui
