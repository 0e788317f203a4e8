#include "ui/accessibility/TextChanges.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>

namespace penmarrow::ui {
namespace {

QAccessible::UpdateHandler previousHandler = nullptr;
QPointer<QObject> lastFocused;   // what readers were last told has the focus
QPointer<QLineEdit> justWritten;  // a field whose whole text was just written

// Hands an event on to what handled events before us, the platform's bridge by default.
void Forward(QAccessibleEvent* event) {
  if (previousHandler) {
    previousHandler(event);
    return;
  }
  const QAccessible::UpdateHandler ours = QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(ours);
}

// The widget whose focus readers are told of: the spin box, for the line edit inside it.
QObject* FocusOwner(QWidget* widget) {
  while (widget->focusProxy()) widget = widget->focusProxy();
  return widget;
}

bool SelectionIsNoise(QLineEdit* line) {
  if (!line->hasFocus()) return true;
  if (lastFocused != line && lastFocused != FocusOwner(line)) return true;
  return justWritten == line && !line->hasSelectedText();
}

void Narrow(QAccessibleEvent* event) {
  if (event->type() == QAccessible::Focus) lastFocused = event->object();
  auto* line = qobject_cast<QLineEdit*>(event->object());
  if (!line) {
    Forward(event);
    return;
  }
  const bool written = event->type() == QAccessible::TextUpdated;
  const bool noise = event->type() == QAccessible::TextSelectionChanged && SelectionIsNoise(line);
  justWritten = written ? line : nullptr;
  if (noise) return;
  if (!written) {
    Forward(event);
    return;
  }
  const auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
  TextChange change = ChangeBetween(update->textRemoved(), update->textInserted());
  change.position += update->changePosition();
  if (!change.removed.isEmpty()) {
    QAccessibleTextRemoveEvent removed(line, change.position, change.removed);
    Forward(&removed);
  }
  if (!change.inserted.isEmpty()) {
    QAccessibleTextInsertEvent inserted(line, change.position, change.inserted);
    Forward(&inserted);
  }
}

}  // namespace

TextChange ChangeBetween(const QString& before, const QString& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype start = 0;
  while (start < shorter && before[start] == after[start]) ++start;
  qsizetype end = 0;
  while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end]) ++end;
  return {static_cast<int>(start), before.mid(start, before.size() - start - end),
          after.mid(start, after.size() - start - end)};
}

void InstallNarrowTextChanges() {
  static const bool installed = (previousHandler = QAccessible::installUpdateHandler(Narrow), true);
  (void)installed;
}

}  // namespace penmarrow::ui
