#include "ui/accessibility/ChoiceControls.h"

#include <QAccessibleWidget>
#include <QTimer>
#include <functional>

#include "ui/accessibility/DevicePixels.h"
#include "ui/accessibility/SpokenText.h"
#include "ui/platform/Controls.h"
#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {
namespace {

class CaptionedChoice : public QAccessibleWidget {
 public:
  // What the control shows, plain and as spoken after the caption.
  CaptionedChoice(QWidget* control, QAccessible::Role role, std::function<QString()> value,
                  std::function<QString()> spoken)
      : QAccessibleWidget(control, role), value_(std::move(value)), spoken_(std::move(spoken)) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return value_();
    if (t == QAccessible::Name) return QAccessibleWidget::text(t) + u' ' + spoken_();
    return QAccessibleWidget::text(t);
  }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    return QAccessibleWidget::relations(match & ~QAccessible::Label);
  }
  // A closed list shows one choice; its pop-up list is a window of its own while open.
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

 private:
  std::function<QString()> value_;
  std::function<QString()> spoken_;
};

class StartSlider : public CaptionedChoice, public QAccessibleValueInterface {
 public:
  explicit StartSlider(TTrackBar* slider)
      : CaptionedChoice(
            slider, QAccessible::Slider, [slider] { return SpokenYears(slider->Position()); },
            [slider] { return SpokenYears(slider->Position()); }),
        slider_(slider) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return CaptionedChoice::interface_cast(type);
  }
  QVariant currentValue() const override { return slider_->Position(); }
  // A reader's call is answered first; the move recalculates from the event loop.
  void setCurrentValue(const QVariant& value) override {
    QTimer::singleShot(0, slider_, [slider = slider_, position = value.toInt()] {
      if (slider->isEnabled()) ErrorDisplay::Guard([&] { slider->setValue(position); });
    });
  }
  QVariant maximumValue() const override { return slider_->maximum(); }
  QVariant minimumValue() const override { return slider_->minimum(); }
  QVariant minimumStepSize() const override { return slider_->singleStep(); }

 private:
  TTrackBar* slider_;
};

}  // namespace

QAccessibleInterface* AccessibleList(TComboBox* box) {
  return new InDevicePixels<CaptionedChoice>(
      box, QAccessible::ComboBox, [box] { return box->currentText(); },
      [box] { return SpokenChoice(*box); });
}

QAccessibleInterface* AccessibleSlider(TTrackBar* slider) {
  return new InDevicePixels<StartSlider>(slider);
}

}  // namespace penmarrow::ui
