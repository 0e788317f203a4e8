#include "ui/accessibility/ControlNames.h"

#include <QAccessible>
#include <QLabel>

#include "ui/accessibility/SpokenText.h"

namespace penmarrow::ui {
namespace {

constexpr char SpokenElsewhereProperty[] = "penmarrowSpokenElsewhere";

}  // namespace

void NameForListener(QLabel& caption, QWidget& field, const QString& heading) {
  const QString name = Spoken(heading, caption.text()) + u':';
  caption.setAccessibleName(name);
  field.setAccessibleName(name);
}

void MarkSpokenElsewhere(QLabel& label) {
  // Qt made the label's interface as it was created, before this mark: the one made next time it
  // is asked for hides it.
  label.setProperty(SpokenElsewhereProperty, true);
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&label))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

bool SpokenElsewhere(const QObject& label) {
  return label.property(SpokenElsewhereProperty).toBool();
}

void DescribeKeys(QWidget& window, std::initializer_list<QWidget*> inputs, QWidget& chart) {
  window.setAccessibleDescription(QStringLiteral(
      "Ctrl+T says the totals. The chart is a table of the years with a menu. F1 says more."));
  const QString totalsKey = QStringLiteral("Ctrl+T says the totals.");
  for (QWidget* input : inputs) input->setAccessibleDescription(totalsKey);
  chart.setAccessibleDescription(
      QStringLiteral("The arrow keys read the years, the Menu key copies them."));
}

QString KeysHelp() {
  return QStringLiteral(
      "Ctrl+T says the totals. Tab reaches the chart last: the arrow keys read its table of the "
      "years, Home and End a year's first and last figure, Page Up and Page Down the first and "
      "last year, and the Menu key or Shift+F10 opens its menu to copy the figures or the chart.");
}

}  // namespace penmarrow::ui
