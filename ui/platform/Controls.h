#pragma once
// Thin stand-ins for the toolkit's track bar, combo box and check
// box. Their handlers run for the user's actions; changes made from
// code run them only where the toolkit would, inside our own call.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QSlider>
#include <functional>

namespace penmarrow::ui {

// A slider whose position follows a lowered maximum and reports that move at once.
class TTrackBar : public QSlider {
  Q_OBJECT

 public:
  explicit TTrackBar(QWidget* parent = nullptr);
  int Position() const { return value(); }
  void SetMax(int maximum);

  std::function<void()> OnChange;
};

// A pick-only list; OnChange is the user's pick, never a selection made from code.
class TComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit TComboBox(QWidget* parent = nullptr);
  std::function<void()> OnChange;
};

// A container of controls, exposed to screen readers as a panel.
class TPanel : public QFrame {
  Q_OBJECT

 public:
  explicit TPanel(QWidget* parent = nullptr) : QFrame(parent) {}
};

// A check box whose OnClick runs at every change of its state, as the toolkit's does.
class TCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit TCheckBox(const QString& caption, QWidget* parent = nullptr);
  bool Checked() const { return isChecked(); }
  std::function<void()> OnClick;
};

}  // namespace penmarrow::ui
