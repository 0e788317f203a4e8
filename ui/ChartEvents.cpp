// The chart's marks switch and the year hint that follows
// the pointer over the bars, or the keyboard's cell.

#include <QCursor>

#include "core/Rounding.h"
#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/YearFigures.h"

namespace penmarrow::ui {
namespace {

constexpr Extended PointerToYear = 1.1L;
constexpr Extended LastYearReach = 0.4L;
constexpr Extended HeightReach = 1.3L;
constexpr int HintBelowPointer = 15;

}  // namespace

void TFMain::chMarksClick() {
  const bool on = chMarks->Checked();
  Chart->Series(YourInterest).Marks().SetVisible(on);
  Chart->Series(AlternativeInterest).Marks().SetVisible(on);
}

void TFMain::ChartMouseMove(int x, int y) {
  const double p = static_cast<double>(static_cast<Extended>(Chart->BottomAxis().CalcPosPoint(x)) +
                                       PointerToYear);
  // Written so that NaN fails every test; p exactly
  // 0.5 would round to year 0, which has no figures.
  const bool overYears = p > 0.5 && static_cast<Extended>(seYears->Value()) + LastYearReach >= p;
  const double v = Chart->LeftAxis().CalcPosPoint(y);
  const bool belowTop =
      overYears && static_cast<Extended>(Chart->LeftAxis().Maximum()) * HeightReach > v;
  const int year = belowTop ? static_cast<int>(Round(p)) : 0;
  hintFollowsCursor_ = false;  // the pointer takes the hint over
  // After a failed recalculation a year may lie beyond the points the series hold.
  if (!EveryStrategyHolds(*Chart, year)) {
    PrevXVal = 0;
    FHint->hide();
    return;
  }
  if (year != PrevXVal) {
    PrevXVal = year;
    ShowYearHint(year);
  }
  const QPoint pointer = Chart->mapToGlobal(QPoint(x, y));
  FHint->move(pointer.x() - FHint->width() / 2, pointer.y() + HintBelowPointer);
  FHint->Show();
}

// The keyboard cursor's hint may come up under a pointer resting on the chart, which Qt then
// reports as leaving the chart although it never moved: that hint stays.
void TFMain::ChartMouseLeave() {
  const bool stillOver = Chart->rect().contains(Chart->mapFromGlobal(QCursor::pos()));
  if (!hintFollowsCursor_ || !stillOver) FHint->hide();
}

// The keyboard's year: the figures are those of the framed bars, so they are filled in afresh.
void TFMain::ShowYearHintBelow(int year, QRect place) {
  if (!FHint) return;
  if (!EveryStrategyHolds(*Chart, year)) {
    FHint->hide();
    return;
  }
  PrevXVal = year;
  hintFollowsCursor_ = true;
  ShowYearHint(year);
  FHint->move(place.center().x() - FHint->width() / 2, place.bottom() + HintBelowPointer);
  FHint->Show();
}

// The year is one that every shown strategy holds; -1 leaves the alternative's column out.
void TFMain::ShowYearHint(int year) {
  const YearFigures yours = *FiguresAt(*Chart, 0, year - 1);
  const YearFigures alternative =
      (AlternativeShown(*Chart) ? FiguresAt(*Chart, 1, year - 1) : std::nullopt)
          .value_or(YearFigures{-1, -1, -1});
  FHint->SetParams(year, Round(yours.initialDeposit), Round(yours.regularDeposits),
                   Round(yours.totalInterest), Round(alternative.initialDeposit),
                   Round(alternative.regularDeposits), Round(alternative.totalInterest));
}

}  // namespace penmarrow::ui
