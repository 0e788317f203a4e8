#include "ui/platform/SpinEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "core/FormatSettings.h"
#include "core/IntegerText.h"
#include "ui/platform/ErrorDisplay.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

// ASCII digits only: other scripts' digits would be shown, yet read as no number at all.
bool IsNumberCharacter(QChar c, QChar decimalSeparator) {
  return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == decimalSeparator;
}

// Editing keys and shortcuts carry control characters (Delete carries U+007F); Enter is refused.
bool IsEditingCharacter(QChar c) { return c.category() == QChar::Other_Control && c != u'\r'; }

}  // namespace

TSpinEdit::TSpinEdit(int minValue, int maxValue, QWidget* parent)
    : QAbstractSpinBox(parent), minValue_(minValue), maxValue_(maxValue) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  edit_ = new TEdit(this);
  setLineEdit(edit_);
  // Pasted or dropped text holds only what typing lets through.
  edit_->AcceptsText = &TSpinEdit::TypedTextAllowed;
  edit_->OnChange = [this](TEdit&) {
    if (OnChange) OnChange();
  };
}

int TSpinEdit::Value() const {
  constexpr std::int64_t lowest = std::numeric_limits<int>::min();
  constexpr std::int64_t highest = std::numeric_limits<int>::max();
  const QString shown = text();
  // A whole number beyond the 32-bit range still lies beyond MaxValue (or below MinValue), so the
  // change handler writes the nearest end instead of leaving a number the projection never uses.
  if (const auto value = ReadInteger(View(shown)))
    return static_cast<int>(std::clamp(*value, lowest, highest));
  static const QRegularExpression decimal(QStringLiteral("^ *([+-]?)[0-9]+$"));
  if (const auto tooLong = decimal.match(shown); tooLong.hasMatch())
    return static_cast<int>(tooLong.captured(1) == u'-' ? lowest : highest);
  return minValue_;
}

void TSpinEdit::SetValue(int value) {
  SetTextAndNotify(QString::number(std::clamp(value, minValue_, maxValue_)));
}

void TSpinEdit::SetTextAndNotify(const QString& text) {
  if (text == lineEdit()->text()) return;
  lineEdit()->setText(text);
  if (OnChange) OnChange();
}

bool TSpinEdit::TypedTextAllowed(const QString& text) {
  const QChar separator = FormatSettings().DecimalSeparator;
  return std::all_of(text.begin(), text.end(),
                     [&](QChar c) { return IsNumberCharacter(c, separator); });
}

void TSpinEdit::stepBy(int steps) {
  // Called by Qt for the buttons and the arrow keys.
  ErrorDisplay::GuardHoldingKeys([&] {
    SetValue(static_cast<int>(
        std::clamp<long long>(static_cast<long long>(Value()) + steps, minValue_, maxValue_)));
  });
}

QValidator::State TSpinEdit::validate(QString&, int&) const { return QValidator::Acceptable; }

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
  return StepUpEnabled | StepDownEnabled;
}

void TSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
  edit_->ShowMenu(event->globalPos());
  event->accept();
}

void TSpinEdit::wheelEvent(QWheelEvent* event) {
  event->setModifiers(Qt::NoModifier);  // Ctrl would make each step ten
  QAbstractSpinBox::wheelEvent(event);
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  // Only the buttons and the up and down keys step, by 1 whatever the modifiers.
  if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
    event->setModifiers(Qt::NoModifier);
  // Keys without a character (arrows, Home) and editing keys pass.
  const QString typed = event->text();
  const bool allowed = typed.isEmpty() || IsEditingCharacter(typed.front()) ||
                       IsNumberCharacter(typed.front(), FormatSettings().DecimalSeparator);
  if (!allowed) {
    QApplication::beep();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

}  // namespace penmarrow::ui
