#include "ui/accessibility/CheckBoxControl.h"

#include <QTimer>

namespace penmarrow::ui {

QString CheckBoxControl::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
    return Box()->text().remove(u'&');
  return QAccessibleWidget::text(t);
}

QAccessible::State CheckBoxControl::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.checkable = true;
  state.checked = Box()->isChecked();
  return state;
}

QStringList CheckBoxControl::actionNames() const {
  QStringList names = QAccessibleWidget::actionNames();
  if (widget()->isEnabled()) names.prepend(toggleAction());
  return names;
}

void CheckBoxControl::doAction(const QString& action) {
  if (action != toggleAction()) return QAccessibleWidget::doAction(action);
  // A click from the event loop, not inside the tool's
  // call: the handler's recalculation processes events.
  if (widget()->isEnabled()) QTimer::singleShot(0, Box(), [box = Box()] { box->click(); });
}

}  // namespace penmarrow::ui
