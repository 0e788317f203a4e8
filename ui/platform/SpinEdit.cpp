#include "ui/platform/SpinEdit.h"

#include <QApplication>
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

bool IsNumberCharacter(QChar c, QChar decimalSeparator) {
  return c.isDigit() || c == u'+' || c == u'-' || c == decimalSeparator;
}

}  // namespace

TSpinEdit::TSpinEdit(int minValue, int maxValue, QWidget* parent)
    : QAbstractSpinBox(parent), minValue_(minValue), maxValue_(maxValue) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
    ErrorDisplay::Guard([this] {
      if (OnChange) OnChange();
    });
  });
}

int TSpinEdit::Value() const {
  constexpr std::int64_t lowest = std::numeric_limits<int>::min();
  constexpr std::int64_t highest = std::numeric_limits<int>::max();
  const QString shown = text();
  // A whole number beyond the 32-bit range still lies beyond MaxValue (or below MinValue), so the
  // change handler writes the nearest end instead of leaving a number the projection never uses.
  if (const auto value = ReadInteger(View(shown))) return static_cast<int>(std::clamp(*value, lowest, highest));
  static const QRegularExpression decimal(QStringLiteral("^ *([+-]?)[0-9]+$"));
  if (const auto tooLong = decimal.match(shown); tooLong.hasMatch())
    return static_cast<int>(tooLong.captured(1) == u'-' ? lowest : highest);
  return minValue_;
}

void TSpinEdit::SetValue(int value) {
  SetText(QString::number(std::clamp(value, minValue_, maxValue_)));
}

void TSpinEdit::SetText(const QString& text) {
  if (text == lineEdit()->text()) return;
  lineEdit()->setText(text);
  if (OnChange) OnChange();
}

bool TSpinEdit::TypedTextAllowed(const QString& text) {
  const QChar separator = FormatSettings().DecimalSeparator;
  return std::all_of(text.begin(), text.end(), [&](QChar c) { return IsNumberCharacter(c, separator); });
}

void TSpinEdit::stepBy(int steps) {
  // Called by Qt for the buttons and the arrow keys.
  ErrorDisplay::Guard([&] { SetValue(static_cast<int>(std::clamp<long long>(
                                static_cast<long long>(Value()) + steps, minValue_, maxValue_))); });
}

QValidator::State TSpinEdit::validate(QString&, int&) const { return QValidator::Acceptable; }

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const { return StepUpEnabled | StepDownEnabled; }

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  // Keys without a character (arrows, Home) and control characters other than Enter pass.
  const QString typed = event->text();
  const char16_t c = typed.isEmpty() ? 0 : typed.front().unicode();
  const bool allowed = typed.isEmpty() ? true
                       : c < u' '      ? c != u'\r'
                                       : IsNumberCharacter(typed.front(), FormatSettings().DecimalSeparator);
  if (!allowed) {
    QApplication::beep();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

}  // namespace penmarrow::ui
