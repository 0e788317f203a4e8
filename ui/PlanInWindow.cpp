// A plan read from the window's fields, and a plan written into them as one input: every value
// first, with the handlers that recalculate held off, then a single Recalculate.

#include <utility>

#include "core/FrequencyTable.h"
#include "core/MoneyText.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"
#include "ui/UMain.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

// Holds a control's handler off for as long as it lives.
template <typename Handler>
class Detached {
 public:
  explicit Detached(Handler& handler) : handler_(handler), held_(std::exchange(handler, nullptr)) {}
  ~Detached() { handler_ = std::move(held_); }
  Detached(const Detached&) = delete;
  Detached& operator=(const Detached&) = delete;

 private:
  Handler& handler_;
  Handler held_;
};

std::int64_t Amount(const TEdit& field) { return MoneyToInt64(View(field.text()), 0); }

QString FrequencyName(std::size_t row) { return ToQString(FrequencyTable.at(row).Name); }

// The compound frequency list the deposit frequency gives; the list the window starts with, which
// offers every choice beside annual deposits, where only that one holds the plan's choice.
void FillCompoundList(TComboBox& box, std::size_t depositRow, std::size_t compoundRow) {
  std::vector<std::u16string_view> names = CompoundFrequencyList(depositRow);
  if (std::ranges::find(names, FrequencyTable.at(compoundRow).Name) == names.end()) {
    names.clear();
    for (const FrequencyRow& row : FrequencyTable) names.push_back(row.Name);
  }
  box.clear();
  for (const std::u16string_view name : names) box.addItem(ToQString(name));
  box.setCurrentIndex(box.findText(FrequencyName(compoundRow)));
}

}  // namespace

Plan TFMain::CurrentPlan() const {
  Plan plan;
  plan.initialDeposit = Amount(*TIntDep);
  plan.regularDeposit = Amount(*TRegDep);
  plan.depositFrequency = static_cast<std::size_t>(CDefFreq->currentIndex());
  plan.compoundFrequency = FrequencyPosition(View(CcompFreq->currentText())).value_or(0);
  plan.rate = PlanRateText(TIntRate->text());
  plan.years = seYears->Value();
  plan.alternativeShown = chAlternative->Checked();
  plan.alternativeDeposit = Amount(*TAltdep);
  plan.alternativeFrequency = static_cast<std::size_t>(CAltFreq->currentIndex());
  plan.startLater = TB->Position();
  plan.marksShown = chMarks->Checked();
  return plan;
}

void TFMain::ApplyPlan(const Plan& plan) {
  {
    const Detached initial(TIntDep->OnChange), regular(TRegDep->OnChange),
        alternative(TAltdep->OnChange), rate(TIntRate->OnChange);
    const Detached years(seYears->OnChange), start(TB->OnChange), shown(chAlternative->OnClick);
    TIntDep->SetTextAndNotify(MoneyText(plan.initialDeposit));
    TAltdep->SetTextAndNotify(MoneyText(plan.alternativeDeposit));
    TIntRate->SetTextAndNotify(plan.rate);
    seYears->SetValue(plan.years);
    const int startBefore = TB->Position();
    TB->SetMax(plan.years - 1);
    TB->setValue(plan.startLater);
    if (TB->Position() != startBefore) ShowStartLater();

    CDefFreq->setCurrentIndex(static_cast<int>(plan.depositFrequency));
    k = FrequencyTable.at(plan.depositFrequency).CountPerYear;
    FillCompoundList(*CcompFreq, plan.depositFrequency, plan.compoundFrequency);
    ReadCompoundFrequency();
    CAltFreq->setCurrentIndex(static_cast<int>(plan.alternativeFrequency));
    ReadAltCompoundFrequency();
    // Continuous compounding without deposits is the mode that picking it enters; with deposits,
    // it is the choice a lowered deposit frequency leaves, which keeps the deposit field.
    PrevRegularDep = MoneyText(plan.regularDeposit);
    if (IsContinuous(View(CcompFreq->currentText())) && plan.regularDeposit == 0) {
      TRegDep->SetTextAndNotify(PrevRegularDep);
      EnterContinuousMode();
    } else {
      LeaveContinuousMode();
    }

    if (chAlternative->Checked() != plan.alternativeShown) {
      chAlternative->setChecked(plan.alternativeShown);
      SwitchAlternative();
    }
  }
  chMarks->setChecked(plan.marksShown);  // its handler only shows or hides the marks
  Recalculate();
}

}  // namespace penmarrow::ui
