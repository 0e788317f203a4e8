#include "ui/accessibility/TextChanges.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

namespace penmarrow::ui {
namespace {

QAccessible::UpdateHandler previousHandler = nullptr;
QPointer<QObject> lastFocused;  // what readers were last told has the focus

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

// A selection Qt makes or drops as the focus comes or goes, which the user did not make.
bool SelectionIsNoise(QLineEdit* line) {
  return !line->hasFocus() || (lastFocused != line && lastFocused != FocusOwner(line));
}

// The focused field's caret and selection reports, held until its text is told: a reader that
// learns of the caret moved off a selection before it learns of the text typed over it says
// "Text unselected". Workaround, Qt 6.4, which tells of the caret first (6.8 tells of the text
// first): the holding goes once Qt 6.4 is no longer built with.
struct CaretReport {
  QAccessible::Event type;
  int cursor;
  int start;
  int end;
};
QPointer<QLineEdit> heldLine;
std::vector<CaretReport> held;

void TellHeld() {
  const std::vector<CaretReport> reports = std::exchange(held, {});
  QLineEdit* const line = std::exchange(heldLine, nullptr);
  if (!line) return;
  for (const CaretReport& report : reports) {
    if (report.type == QAccessible::TextSelectionChanged) {
      QAccessibleTextSelectionEvent selection(line, report.start, report.end);
      selection.setCursorPosition(report.cursor);
      Forward(&selection);
    } else {
      QAccessibleTextCursorEvent caret(line, report.cursor);
      Forward(&caret);
    }
  }
}

void Hold(QLineEdit* line, QAccessibleEvent* event) {
  if (heldLine != line) TellHeld();
  if (held.empty()) QTimer::singleShot(0, line, TellHeld);  // a report with no text after it
  heldLine = line;
  if (event->type() == QAccessible::TextSelectionChanged) {
    const auto* selection = static_cast<QAccessibleTextSelectionEvent*>(event);
    held.push_back({event->type(), selection->cursorPosition(), selection->selectionStart(),
                    selection->selectionEnd()});
  } else {
    held.push_back(
        {event->type(), static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition(), 0, 0});
  }
}

// A whole-text write, told as the characters that changed.
void TellNarrowed(QLineEdit* line, const QAccessibleTextUpdateEvent& update) {
  TextChange change = ChangeBetween(update.textRemoved(), update.textInserted());
  change.position += update.changePosition();
  if (!change.removed.isEmpty()) {
    QAccessibleTextRemoveEvent removed(line, change.position, change.removed);
    Forward(&removed);
  }
  if (!change.inserted.isEmpty()) {
    QAccessibleTextInsertEvent inserted(line, change.position, change.inserted);
    Forward(&inserted);
  }
}

// The viewport of an item view, a drop-down list's pop-up. Workaround, Qt 6.4 to 6.8: Qt's table
// of the view has no index for it and warns "QAccessibleTable::indexOfChild Fix my children"
// whenever a reader asks; goes once a Qt built with places the viewport among the list's children.
bool IsItemViewport(const QObject* object) {
  const auto* view = object ? qobject_cast<const QAbstractItemView*>(object->parent()) : nullptr;
  return view && view->viewport() == object;
}

void Narrow(QAccessibleEvent* event) {
  if (event->type() == QAccessible::Focus) lastFocused = event->object();
  // The pop-up list's showing and hiding is told by its items taking the focus.
  const bool showing =
      event->type() == QAccessible::ObjectShow || event->type() == QAccessible::ObjectHide;
  if (showing && IsItemViewport(event->object())) return;
  auto* line = qobject_cast<QLineEdit*>(event->object());
  if (!line) {
    Forward(event);
    return;
  }
  switch (event->type()) {
    case QAccessible::TextSelectionChanged:
      if (!SelectionIsNoise(line)) Hold(line, event);
      return;
    case QAccessible::TextCaretMoved:
      if (line->hasFocus())
        Hold(line, event);
      else
        Forward(event);
      return;
    case QAccessible::TextUpdated:
      TellNarrowed(line, *static_cast<QAccessibleTextUpdateEvent*>(event));
      break;
    default: Forward(event);
  }
  if (line == heldLine) TellHeld();
}

}  // namespace

TextChange ChangeBetween(const QString& before, const QString& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype start = 0;
  while (start < shorter && before[start] == after[start]) ++start;
  qsizetype end = 0;
  while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end])
    ++end;
  return {static_cast<int>(start), before.mid(start, before.size() - start - end),
          after.mid(start, after.size() - start - end)};
}

void InstallNarrowTextChanges() {
  static const bool installed = (previousHandler = QAccessible::installUpdateHandler(Narrow), true);
  (void)installed;
}

}  // namespace penmarrow::ui
