// The chart's marks switch and the year hint that follows
// the pointer over the bars, or the keyboard's cell.

#include "core/Rounding.h"
#include "ui/UHint.h"
#include "ui/UMain.h"

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
  // After a failed recalculation a year may lie beyond the points the series hold.
  const bool held = year > 0 && year <= Chart->Series(YourSeries).Count() &&
                    (!chAlternative->Checked() || year <= Chart->Series(AlternativeSeries).Count());
  if (!held) {
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

void TFMain::ChartMouseLeave() { FHint->hide(); }

// The keyboard's year: the figures are those of the framed bars, so they are filled in afresh.
void TFMain::ShowYearHintBelow(int year, QRect place) {
  if (!FHint) return;
  PrevXVal = year;
  ShowYearHint(year);
  FHint->move(place.center().x() - FHint->width() / 2, place.bottom() + HintBelowPointer);
  FHint->Show();
}

void TFMain::ShowYearHint(int year) {
  const auto value = [&](int series) { return Round(Chart->Series(series).YValue(year - 1)); };
  const bool alternative = chAlternative->Checked();
  FHint->SetParams(year, value(YourSeries), value(YourSeries + 1), value(YourInterest),
                   alternative ? value(AlternativeSeries) : -1,
                   alternative ? value(AlternativeSeries + 1) : -1,
                   alternative ? value(AlternativeInterest) : -1);
}

}  // namespace penmarrow::ui
