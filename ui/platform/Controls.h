#pragma once
// Thin stand-ins for the toolkit's track bar, combo box and check box. Their handlers run for the
// user's actions; changes made from code run them only where the toolkit would, inside our own call.

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <functional>

namespace penmarrow::ui {

// A slider whose position follows a lowered maximum and reports that move at once.
class TTrackBar : public QSlider {
 public:
  explicit TTrackBar(QWidget* parent = nullptr);
  int Position() const { return value(); }
  void SetMax(int maximum);

  std::function<void()> OnChange;
};

// A pick-only list; OnChange is the user's pick, never a selection made from code.
class TComboBox : public QComboBox {
 public:
  explicit TComboBox(QWidget* parent = nullptr);
  std::function<void()> OnChange;
};

class TCheckBox : public QCheckBox {
 public:
  explicit TCheckBox(const QString& caption, QWidget* parent = nullptr);
  bool Checked() const { return isChecked(); }
  std::function<void()> OnClick;
};

}  // namespace penmarrow::ui
