#include "ui/accessibility/ControlNames.h"

#include <QAccessible>

#include "ui/UMain.h"
#include "ui/accessibility/ChoiceControls.h"
#include "ui/accessibility/SpokenText.h"

namespace penmarrow::ui {
namespace {

constexpr char SpokenElsewhereProperty[] = "penmarrowSpokenElsewhere";

// Named for a listener, "Alternative strategy, change regular deposit:", on the field and on its
// caption, so that a reader that names the field by its caption says it once.
void NameForListener(QLabel* caption, QWidget* field, const QString& heading) {
  const QString name = Spoken(heading, caption->text()) + u':';
  caption->setAccessibleName(name);
  field->setAccessibleName(name);
}

// Marks a label another control speaks. Qt made its interface as the label was created, before
// this mark: the one made next time it is asked for hides it.
void MarkSpokenElsewhere(QLabel* label) {
  label->setProperty(SpokenElsewhereProperty, true);
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void Describe(TFMain& w) {
  w.setAccessibleDescription(QStringLiteral(
      "Ctrl+T says the totals. The chart is a table of the years with a menu. F1 says more."));
  const QString totalsKey = QStringLiteral("Ctrl+T says the totals.");
  for (QWidget* input :
       std::initializer_list<QWidget*>{w.TIntDep, w.TRegDep, w.CDefFreq, w.CcompFreq, w.TIntRate,
                                       w.seYears, w.TAltdep, w.CAltFreq, w.TB})
    input->setAccessibleDescription(totalsKey);
  w.Chart->setAccessibleDescription(
      QStringLiteral("The arrow keys read the years, the Menu key copies them."));
}

}  // namespace

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
  // The alternative's captions read like your strategy's own fields.
  NameForListener(w.Label8, w.TAltdep, StrategyNames[1]);
  NameForListener(w.Label9, w.CAltFreq, StrategyNames[1]);
  w.Chart->setAccessibleName(QStringLiteral("Savings by year"));
  // Each total's value names its caption, the slider says the years the label beside it shows,
  // and a list's name may hold its caption.
  for (const TotalsPanel* totals : {&w.Totals1, &w.Totals2})
    for (const auto& [caption, value] : totals->Rows()) MarkSpokenElsewhere(caption);
  MarkSpokenElsewhere(w.lStartLater);
  if (ListNameHoldsChoice)
    for (QLabel* caption : {w.Label6, w.lCompFreq, w.Label9}) MarkSpokenElsewhere(caption);
  Describe(w);
}

void NameTotals(const TotalsPanel& totals) {
  for (const auto& [caption, value] : totals.Rows())
    value->setAccessibleName(Spoken(totals.heading->text(), caption->text(), value->text()));
}

QString KeysHelp() {
  return QStringLiteral(
      "Ctrl+T says the totals. Tab reaches the chart last: the arrow keys read its table of the "
      "years, Home and End a year's first and last figure, Page Up and Page Down the first and "
      "last year, and the Menu key or Shift+F10 opens its menu to copy the figures or the chart.");
}

bool SpokenElsewhere(const QObject& label) {
  return label.property(SpokenElsewhereProperty).toBool();
}

}  // namespace penmarrow::ui
