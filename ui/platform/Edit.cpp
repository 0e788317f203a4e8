#include "ui/platform/Edit.h"

#include <QFocusEvent>

#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  // Edits made by the control itself arrive as a signal: catch there, not inside Qt's frames.
  connect(this, &QLineEdit::textEdited, this, [this] { ErrorDisplay::Guard([this] { RunChange(); }); });
}

void TEdit::SetText(const QString& text) {
  if (text == this->text()) return;
  setText(text);
  RunChange();
}

int TEdit::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

int TEdit::SelLength() const { return hasSelectedText() ? static_cast<int>(selectedText().size()) : 0; }

void TEdit::SetSelStart(int position) { setCursorPosition(position); }

void TEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Losing the activation to a message box or another program is no exit.
  const bool movedWithinWindow = event->reason() != Qt::ActiveWindowFocusReason &&
                                 event->reason() != Qt::PopupFocusReason;
  if (movedWithinWindow && OnExit) ErrorDisplay::Guard([this] { OnExit(*this); });
}

void TEdit::RunChange() {
  if (OnChange) OnChange(*this);
}

}  // namespace penmarrow::ui
