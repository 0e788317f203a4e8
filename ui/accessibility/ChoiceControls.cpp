#include "ui/accessibility/ChoiceControls.h"

#include <QAccessibleWidget>
#include <QTimer>
#include <functional>

#include "ui/accessibility/DevicePixels.h"
#include "ui/accessibility/SpokenText.h"
#include "ui/accessibility/TextField.h"
#include "ui/platform/Controls.h"
#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {
namespace {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// Qt 6.8 hands a control's object attributes to readers: the caption is the name and what the
// control shows its value's text, which readers speak after the control's role.
class CaptionedBase : public QAccessibleWidget, public QAccessibleAttributesInterface {
 public:
  using QAccessibleWidget::QAccessibleWidget;
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::AttributesInterface)
      return static_cast<QAccessibleAttributesInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QList<QAccessible::Attribute> attributeKeys() const override {
    return {QAccessible::Attribute::Custom};
  }
  QVariant attributeValue(QAccessible::Attribute key) const override {
    if (key != QAccessible::Attribute::Custom) return {};
    return QVariant::fromValue(QHash<QString, QString>{{QStringLiteral("valuetext"), Spoken()}});
  }
  virtual QString Spoken() const = 0;

 protected:
  QString Named(const QString& caption) const { return SpokenCaption(caption); }
};
#else
class CaptionedBase : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;
  virtual QString Spoken() const = 0;

 protected:
  QString Named(const QString& caption) const { return caption + u' ' + Spoken(); }
};
#endif

// What the control shows may also be its text, which reviewing the screen reads: a slider's years
// in place of a bare number, a list's choice where the name is the caption alone.
class CaptionedChoice : public CaptionedBase, public ShownText {
 public:
  // What the control shows, plain and as spoken after the caption.
  CaptionedChoice(QWidget* control, QAccessible::Role role, std::function<QString()> value,
                  std::function<QString()> spoken, bool showsText)
      : CaptionedBase(control, role),
        ShownText(*control, value),
        value_(std::move(value)),
        spoken_(std::move(spoken)),
        showsText_(showsText) {}
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface && showsText_)
      return static_cast<QAccessibleTextInterface*>(this);
    return CaptionedBase::interface_cast(type);
  }
  using ShownText::text;
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return value_();
    if (t == QAccessible::Name) return Named(QAccessibleWidget::text(t));
    return QAccessibleWidget::text(t);
  }
  QString Spoken() const override { return spoken_(); }
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
  bool showsText_;
};

class StartSlider : public CaptionedChoice, public QAccessibleValueInterface {
 public:
  explicit StartSlider(TTrackBar* slider)
      : CaptionedChoice(
            slider, QAccessible::Slider, [slider] { return SpokenYears(slider->Position()); },
            [slider] { return SpokenYears(slider->Position()); }, true),
        slider_(slider) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return CaptionedChoice::interface_cast(type);
  }
  QVariant currentValue() const override { return slider_->Position(); }
  // A reader's call is answered first; the move recalculates from the event loop.
  void setCurrentValue(const QVariant& value) override {
    QTimer::singleShot(0, slider_, [slider = slider_, position = value.toInt()] {
      if (slider->isEnabled()) ErrorDisplay::GuardHoldingKeys([&] { slider->setValue(position); });
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
  // A name that holds the choice needs no text, which a reader would speak after it again.
  return new InDevicePixels<CaptionedChoice>(
      box, QAccessible::ComboBox, [box] { return box->currentText(); },
      [box] { return SpokenChoice(*box); }, !ListNameHoldsChoice);
}

QAccessibleInterface* AccessibleSlider(TTrackBar* slider) {
  return new InDevicePixels<StartSlider>(slider);
}

}  // namespace penmarrow::ui
