// The names a screen reader speaks for the window's controls, given as the layout places them.

#include "ui/UMain.h"
#include "ui/YearFigures.h"
#include "ui/accessibility/ChoiceControls.h"
#include "ui/accessibility/ControlNames.h"

namespace penmarrow::ui {

void TFMain::NameControls() {
  // A screen reader speaks each field with its caption;
  // the value labels get theirs with each figure.
  const std::pair<QLabel*, QWidget*> captioned[] = {
      {Label3, TIntDep},      {Label4, TRegDep},  {Label6, CDefFreq},
      {lCompFreq, CcompFreq}, {Label7, TIntRate}, {Label1, seYears},
      {Label8, TAltdep},      {Label9, CAltFreq}, {Label2, TB}};
  for (const auto& [caption, field] : captioned) caption->setBuddy(field);
  // The "%" beside the rate belongs to it.
  Label20->setBuddy(TIntRate);
  const QString rateCaption = QStringLiteral("Interest Rate, in percent:");
  Label7->setAccessibleName(rateCaption);
  TIntRate->setAccessibleName(rateCaption);
  // The alternative's captions read like your strategy's own fields.
  NameForListener(*Label8, *TAltdep, StrategyNames[1]);
  NameForListener(*Label9, *CAltFreq, StrategyNames[1]);
  Chart->setAccessibleName(QStringLiteral("Savings by year"));
  // Each total's value names its caption, the slider says the years the label beside it shows,
  // and a list's name may hold its caption.
  for (const TotalsPanel* totals : {&Totals1, &Totals2})
    for (const auto& [caption, value] : totals->Rows()) MarkSpokenElsewhere(*caption);
  MarkSpokenElsewhere(*lStartLater);
  if (ListNameHoldsChoice)
    for (QLabel* caption : {Label6, lCompFreq, Label9}) MarkSpokenElsewhere(*caption);
  DescribeKeys(*this,
               {TIntDep, TRegDep, CDefFreq, CcompFreq, TIntRate, seYears, TAltdep, CAltFreq, TB},
               *Chart);
}

}  // namespace penmarrow::ui
