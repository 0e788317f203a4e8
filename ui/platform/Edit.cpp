#include "ui/platform/Edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>

#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  // Edits made by the control itself arrive as a signal: catch there, not inside Qt's frames.
  connect(this, &QLineEdit::textEdited, this, [this] { ErrorDisplay::Guard([this] { TextEditedByControl(); }); });
}

void TEdit::SetText(const QString& text) {
  if (text == this->text()) return;
  setText(text);
  Remember();
  RunChange();
}

void TEdit::Remember() {
  acceptedText_ = text();
  acceptedCaret_ = cursorPosition();
}

void TEdit::TextEditedByControl() {
  if (AcceptsText && !AcceptsText(text())) {
    const QSignalBlocker quiet(this);
    setText(acceptedText_);
    setCursorPosition(acceptedCaret_);
    return;
  }
  Remember();
  RunChange();
}

namespace {

// Caret moves and selection by keys stay with the control; every other key is ours.
bool MovesCaret(int key) {
  switch (key) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Home:
    case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Shift: case Qt::Key_Control:
    case Qt::Key_Alt: case Qt::Key_Meta: case Qt::Key_AltGr:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TEdit::keyPressEvent(QKeyEvent* event) {
  if (!OnKeyPress && !OnKeyDown) {
    QLineEdit::keyPressEvent(event);
    Remember();
    return;
  }
  if (MovesCaret(event->key())) {
    QLineEdit::keyPressEvent(event);
    Remember();
    return;
  }
  event->accept();
  ErrorDisplay::Guard([&] {
    if (event->key() == Qt::Key_Delete) {
      int key = DeleteKey;
      if (OnKeyDown) OnKeyDown(*this, key);
      return;
    }
    const QString typed = event->text();
    char16_t key = event->key() == Qt::Key_Backspace ? u'\b' : typed.isEmpty() ? 0 : typed.front().unicode();
    if (key != 0 && OnKeyPress) OnKeyPress(*this, key);
  });
  Remember();
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
