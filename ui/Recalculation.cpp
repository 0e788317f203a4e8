// Bringing every result up to date: both projections into the chart's series, then the totals
// read back from the series.

#include <QCoreApplication>

#include "core/FrequencyTable.h"
#include "core/MoneyText.h"
#include "core/RateText.h"
#include "ui/UMain.h"
#include "ui/YearFigures.h"
#include "ui/accessibility/Narrator.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

constexpr int SoleArrow = 20;
constexpr int LongArrow = 25;
constexpr int ShortArrow = 10;

}  // namespace

void TFMain::Recalculate() {
  // Waiting paint and timer events run first; keys and clicks wait, so a key never lands in a
  // field whose previous key is still being handled.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  // New figures: the pointer's next move fills the hint afresh, even over the same year.
  PrevXVal = 0;
  narrator_->RecalculationStarted();
  InitialDep = MoneyToInt64(View(TIntDep->text()), 0);
  RegularDep = MoneyToInt64(View(TRegDep->text()), 0);
  CalculateStrategy(false, Month, f, 0, InitialDep, RegularDep);
  ShowTotals(Totals1, 0);
  lStats2->setVisible(chAlternative->Checked());
  Totals2.panel->setVisible(chAlternative->Checked());
  narrator_->AlternativeTotalsShown(chAlternative->Checked());
  if (!chAlternative->Checked()) {
    Chart->Series(YourInterest).Marks().SetArrowLength(SoleArrow);
    return;
  }
  CalculateStrategy(true, AMonth, fa, TB->Position(), InitialDep,
                    MoneyToInt64(View(TAltdep->text()), 0));
  ShowTotals(Totals2, 1);
  const int last = seYears->Value() - 1;
  const bool alternativeEarnsMore =
      Chart->Series(AlternativeInterest).YValue(last) > Chart->Series(YourInterest).YValue(last);
  Chart->Series(YourInterest).Marks().SetArrowLength(alternativeEarnsMore ? ShortArrow : LongArrow);
  Chart->Series(AlternativeInterest)
      .Marks()
      .SetArrowLength(alternativeEarnsMore ? LongArrow : ShortArrow);
  Chart->Series(YourInterest).Marks().SetOnTop(true);
  Chart->Series(AlternativeInterest).Marks().SetOnTop(true);
}

void TFMain::CalculateStrategy(bool AAlternative, bool ASubAnnual, std::int64_t APeriodsPerYear,
                               std::int64_t AStartLater, std::int64_t AInitialDeposit,
                               std::int64_t ARegularDeposit) {
  const TComboBox* compounding = AAlternative ? CAltFreq : CcompFreq;
  const int first = AAlternative ? AlternativeSeries : YourSeries;
  StrategyInputs inputs;
  inputs.continuous = IsContinuous(View(compounding->currentText()));
  inputs.subAnnual = ASubAnnual;
  inputs.periodsPerYear = APeriodsPerYear;
  inputs.startLater = AStartLater;
  inputs.initialDeposit = AInitialDeposit;
  inputs.regularDeposit = ARegularDeposit;
  inputs.depositsPerYear = k;
  inputs.rate = RateToFloat(View(TIntRate->text()), 0);
  inputs.years = seYears->Value();
  ProjectStrategy(inputs, projection,
                  {Chart->Series(first), Chart->Series(first + 1), Chart->Series(first + 2)});
}

void TFMain::ShowTotals(const TotalsPanel& totals, int strategy) {
  // Read right after the strategy's projection ran to its end, which added every year.
  const YearFigures figures = FiguresAt(*Chart, strategy, seYears->Value() - 1).value();
  const auto values = figures.Shown();
  const auto rows = totals.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].second->SetCaption(MoneyText(values[i]));
  narrator_->TotalsShown(static_cast<std::size_t>(strategy), totals, figures, seYears->Value());
}

}  // namespace penmarrow::ui
