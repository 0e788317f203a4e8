#pragma once
// A whole-number field with step buttons that, unlike QSpinBox, neither validates nor clamps what
// is typed: a text that is not a number reads as MinValue and stays as it is.

#include <QAbstractSpinBox>
#include <functional>

#include "ui/platform/Edit.h"

namespace penmarrow::ui {

class TSpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit TSpinEdit(int minValue, int maxValue, QWidget* parent = nullptr);

  int MinValue() const { return minValue_; }
  int MaxValue() const { return maxValue_; }

  // The text as a whole number clamped to the 32-bit range, or MinValue when it is not one.
  int Value() const;
  // Clamps to MinValue..MaxValue and writes the number; a changed text runs OnChange at once.
  void SetValue(int value);
  // Writing a different text runs OnChange at once.
  void SetTextAndNotify(const QString& text);

  std::function<void()> OnChange;

  // Whether typing could have put every character of text into the field.
  static bool TypedTextAllowed(const QString& text);
  QLineEdit* Editor() const { return lineEdit(); }

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 protected:
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  TEdit* edit_;
  int minValue_;
  int maxValue_;
};

}  // namespace penmarrow::ui
