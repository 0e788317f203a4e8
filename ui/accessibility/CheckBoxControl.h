#pragma once
// A check box as assistive tools see it: its caption, its state, and a Toggle action that changes
// the box as a click does, so that its handler runs.

#include <QAccessibleWidget>

#include "ui/accessibility/DevicePixels.h"
#include "ui/platform/Controls.h"

namespace penmarrow::ui {

class CheckBoxControl : public InDevicePixels<QAccessibleWidget> {
 public:
  explicit CheckBoxControl(TCheckBox* box) : InDevicePixels(box, QAccessible::CheckBox) {}

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;

 private:
  TCheckBox* Box() const { return static_cast<TCheckBox*>(widget()); }
};

}  // namespace penmarrow::ui
