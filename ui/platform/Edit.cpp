#include "ui/platform/Edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <exception>
#include <limits>

#include "core/Selection.h"
#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {
namespace {

// Caret moves and selection by keys stay with the control; every other key is ours.
bool MovesCaret(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr: return true;
    default: return false;
  }
}

// Ctrl, Alt and Super make shortcuts, never characters or a backspace.
bool MakesShortcut(const QKeyEvent& event) {
  return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

QString ClipboardText(QClipboard::Mode mode = QClipboard::Clipboard) {
  return QGuiApplication::clipboard()->text(mode);
}

// Asks the clipboard's owner which forms it offers, without taking the text itself.
bool ClipboardHoldsText() {
  const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
  return offered && offered->hasText();
}

// Runs write, then settle even when write raised; the error is passed on once settle has run.
void SettleAfter(const std::function<void()>& write, const std::function<void()>& settle) {
  std::exception_ptr raised;
  try {
    write();
  } catch (...) {
    raised = std::current_exception();
  }
  settle();
  if (raised) std::rethrow_exception(raised);
}

// A menu entry with its keys in a column of their own, as desktop edit menus show them.
QString WithKeys(const QString& caption, QKeySequence::StandardKey keys) {
  return caption + u'\t' + QKeySequence(keys).toString(QKeySequence::NativeText);
}

}  // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  // Lengths are the rules' business: a cut made here would reach them already shortened.
  setMaxLength(std::numeric_limits<int>::max());
  // Edits made by the control itself arrive as a signal: catch there, not inside Qt's frames.
  connect(this, &QLineEdit::textEdited, this,
          [this] { ErrorDisplay::GuardHoldingKeys([this] { TextEditedByControl(); }); });
}

void TEdit::SetTextAndNotify(const QString& text) {
  if (text == this->text()) return;
  const QString before = this->text();
  setText(text);
  undo_ = undoable_ ? std::optional<QString>(before) : std::nullopt;
  if (eventDepth_ == 0) beforeEvent_ = Current();
  if (OnChange) OnChange(*this);
}

void TEdit::WriteEdit(const QString& text, int caret, const std::function<void()>& settle) {
  // Recalculates before the caret is placed.
  SettleAfter([&] { SetTextAndNotify(text); },
              [&] {
                SetSelStart(caret);
                if (settle) settle();
              });
}

bool TEdit::Offer(int selStart, int selLength, const QString& incoming) {
  const QString before = text();
  const auto [start, length] = ClampSelection(before.size(), selStart, selLength);
  const QString candidate = QString(before).replace(start, length, incoming);
  if (AcceptsText && !AcceptsText(candidate)) return false;
  const QScopedValueRollback undoable(undoable_, true);
  WriteEdit(candidate, static_cast<int>(start + incoming.size()), [this] {
    if (OnAccepted) OnAccepted(*this);
  });
  return true;
}

bool TEdit::event(QEvent* event) {
  const State outer = beforeEvent_;
  beforeEvent_ = Current();
  ++eventDepth_;
  const bool handled = QLineEdit::event(event);
  --eventDepth_;
  // Between events, a change made from code is taken back to where the last event left the field.
  beforeEvent_ = eventDepth_ == 0 ? Current() : outer;
  return handled;
}

TEdit::State TEdit::Current() const { return {text(), SelStart(), SelLength()}; }

// A change the control made on its own, by a path the handlers do not cover: tested whole too,
// and taken back to the text and selection it had before the event that made it.
void TEdit::TextEditedByControl() {
  if (AcceptsText && !AcceptsText(text())) {
    setText(beforeEvent_.text);
    if (beforeEvent_.selLength > 0)
      setSelection(beforeEvent_.selStart, beforeEvent_.selLength);
    else
      setCursorPosition(beforeEvent_.selStart);
    return;
  }
  SettleAfter(
      [this] {
        if (OnChange) OnChange(*this);
      },
      [this] {
        if (OnAccepted) OnAccepted(*this);
      });
}

void TEdit::keyPressEvent(QKeyEvent* event) {
  // In every field a paste goes through the field's rule: Qt's own paste of a clipboard without
  // text would empty the selection.
  if (event->matches(QKeySequence::Paste)) {
    event->accept();
    ErrorDisplay::GuardHoldingKeys([this] { Paste(); });
    return;
  }
  if ((!OnKeyPress && !OnKeyDown) || MovesCaret(event->key())) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  event->accept();
  TakeKey(*event);
}

// Each key is handled on its own: an error one raises
// is shown, and the next still reaches the field.
void TEdit::TakeKey(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Delete) {  // whatever the modifiers
    ErrorDisplay::GuardHoldingKeys([this] {
      int key = DeleteKey;
      if (OnKeyDown) OnKeyDown(*this, key);
    });
    return;
  }
  // The edit commands' keys run them as the menu does; any other shortcut types nothing.
  if (RunShortcut(event) || MakesShortcut(event) || !OnKeyPress) return;
  // An input method or a robot may send several characters at once: each is one key.
  const QString keys = event.key() == Qt::Key_Backspace ? QStringLiteral("\b") : event.text();
  for (const QChar character : keys)
    ErrorDisplay::GuardHoldingKeys([&] {
      char16_t key = character.unicode();
      OnKeyPress(*this, key);
    });
}

void TEdit::DeleteSelection() {
  if (!hasSelectedText()) return;
  if (!OnKeyDown) {
    Offer(SelStart(), SelLength(), QString());
    return;
  }
  const QScopedValueRollback undoable(undoable_, true);
  int key = DeleteKey;
  OnKeyDown(*this, key);
}

void TEdit::Cut() {
  if (!hasSelectedText()) return;
  copy();
  DeleteSelection();
}

// The clipboard belongs to another program, which may be slow or frozen: it is read here, when the
// user pastes, and never while keys are typed. A clipboard without text changes nothing.
void TEdit::Paste() {
  const QString incoming = ClipboardText();
  if (!incoming.isEmpty()) Offer(SelStart(), SelLength(), incoming);
}

void TEdit::Undo() {
  if (undo_)
    Offer(0, static_cast<int>(text().size()), QString(*undo_));  // a copy: the write replaces undo_
}

// Each command checks for itself whether it can run, so that matching a key asks nothing of the
// clipboard; whether a command is enabled is asked only when the menu shows it.
std::vector<TEdit::Command> TEdit::Commands() {
  return {
      {tr("&Undo"), QKeySequence::Undo, [this] { return undo_.has_value(); }, [this] { Undo(); }},
      {tr("Cu&t"), QKeySequence::Cut, [this] { return hasSelectedText(); }, [this] { Cut(); }},
      {tr("&Copy"), QKeySequence::Copy, [this] { return hasSelectedText(); }, [this] { copy(); }},
      {tr("&Paste"), QKeySequence::Paste, &ClipboardHoldsText, [this] { Paste(); }},
      {tr("&Delete"), QKeySequence::Delete, [this] { return hasSelectedText(); },
       [this] { DeleteSelection(); }},
      {tr("Select &All"), QKeySequence::SelectAll, [this] { return !text().isEmpty(); },
       [this] { selectAll(); }}};
}

bool TEdit::RunShortcut(const QKeyEvent& event) {
  for (const Command& command : Commands()) {
    if (!event.matches(command.keys)) continue;
    ErrorDisplay::GuardHoldingKeys(command.run);
    return true;
  }
  return false;
}

void TEdit::ShowMenu(const QPoint& globalPosition) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (Command& command : Commands()) {
    QAction* action = menu->addAction(WithKeys(command.caption, command.keys));
    action->setEnabled(command.enabled());
    // Queued, the action runs once the menu has closed:
    // no handler runs with the menu's code on the stack.
    connect(
        action, &QAction::triggered, this,
        [run = std::move(command.run)] { ErrorDisplay::GuardHoldingKeys(run); },
        Qt::QueuedConnection);
    if (command.keys == QKeySequence::Undo || command.keys == QKeySequence::Delete)
      menu->addSeparator();
  }
  menu->popup(globalPosition);
}

void TEdit::contextMenuEvent(QContextMenuEvent* event) {
  ShowMenu(event->globalPos());
  event->accept();
}

void TEdit::dropEvent(QDropEvent* event) {
  const QString incoming = event->mimeData()->hasText() ? event->mimeData()->text() : QString();
  const int at = cursorPositionAt(event->position().toPoint());
  const QString before = text();
  ErrorDisplay::GuardHoldingKeys([&] { Offer(at, 0, incoming); });
  // Taken once written, whatever the recalculation then raised.
  if (!incoming.isEmpty() && text() != before) {
    event->acceptProposedAction();
  } else {
    // Refused: the source must not take it for a move and delete its own text.
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
  }
  QDragLeaveEvent done;  // the control's drop caret goes away as after a drag that left
  QLineEdit::dragLeaveEvent(&done);
}

void TEdit::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
  // A composition is shown once committed; only committed text reaches the field.
  const bool replaces = event->replacementLength() > 0;
  if (event->commitString().isEmpty() && !replaces) return;
  const int start = replaces ? cursorPosition() + event->replacementStart() : SelStart();
  const int length = replaces ? event->replacementLength() : SelLength();
  ErrorDisplay::GuardHoldingKeys([&] { Offer(start, length, event->commitString()); });
}

void TEdit::mouseReleaseEvent(QMouseEvent* event) {
  const bool selectionPaste =
      event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection();
  if (!selectionPaste) {
    QLineEdit::mouseReleaseEvent(event);
    return;
  }
  event->accept();
  deselect();
  ErrorDisplay::GuardHoldingKeys(
      [this] { Offer(cursorPosition(), 0, ClipboardText(QClipboard::Selection)); });
}

int TEdit::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

int TEdit::SelLength() const {
  return hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
}

void TEdit::SetSelStart(int position) { setCursorPosition(position); }

void TEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Losing the activation to a message box or another program is no exit.
  const bool movedWithinWindow =
      event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
  if (movedWithinWindow && OnExit) ErrorDisplay::GuardHoldingKeys([this] { OnExit(*this); });
}

}  // namespace penmarrow::ui
