#include "ui/accessibility/ControlNames.h"

#include "ui/UMain.h"
#include "ui/accessibility/SpokenText.h"

namespace penmarrow::ui {

void NameControls(TFMain& w) {
  // A screen reader speaks each field with its caption;
  // the value labels get theirs with each figure.
  const std::pair<QLabel*, QWidget*> captioned[] = {
      {w.Label3, w.TIntDep},      {w.Label4, w.TRegDep},  {w.Label6, w.CDefFreq},
      {w.lCompFreq, w.CcompFreq}, {w.Label7, w.TIntRate}, {w.Label1, w.seYears},
      {w.Label8, w.TAltdep},      {w.Label9, w.CAltFreq}, {w.Label2, w.TB}};
  for (const auto& [caption, field] : captioned) caption->setBuddy(field);
  // The "%" beside the rate belongs to it.
  w.Label20->setBuddy(w.TIntRate);
  const QString rateCaption = QStringLiteral("Interest Rate, in percent:");
  w.Label7->setAccessibleName(rateCaption);
  w.TIntRate->setAccessibleName(rateCaption);
  w.Chart->setAccessibleName(QStringLiteral("Savings by year"));
}

void NameTotals(const TotalsPanel& totals) {
  for (const auto& [caption, value] : totals.Rows())
    value->setAccessibleName(Spoken(totals.heading->text(), caption->text(), value->text()));
}

}  // namespace penmarrow::ui
