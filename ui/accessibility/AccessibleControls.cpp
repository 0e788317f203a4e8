#include "ui/accessibility/AccessibleControls.h"

#include <QAccessibleValueInterface>
#include <QTimer>

#include "ui/accessibility/ChartTable.h"
#include "ui/accessibility/CheckBoxControl.h"
#include "ui/accessibility/ChoiceControls.h"
#include "ui/accessibility/ControlNames.h"
#include "ui/accessibility/DevicePixels.h"
#include "ui/accessibility/LinkControl.h"
#include "ui/accessibility/TextChanges.h"
#include "ui/accessibility/TextField.h"
#include "ui/platform/Controls.h"
#include "ui/platform/Edit.h"
#include "ui/platform/ErrorDisplay.h"
#include "ui/platform/GridPanel.h"
#include "ui/platform/LinkLabel.h"
#include "ui/platform/SavingsChart.h"
#include "ui/platform/SpinEdit.h"

namespace penmarrow::ui {
namespace {

constexpr char MainWindowProperty[] = "penmarrowMainWindow";

// A write arrives inside a screen reader's call: it is checked at once and applied, checked again
// against the text of that moment, from the event loop, where a recalculation may process events.
TextField::Writer Checked(QWidget* field, std::function<QString()> current,
                          std::function<bool(const QString&)> accepts,
                          std::function<void(const QString&)> apply) {
  return [=](const TextField::Splice& splice) {
    if (!field->isEnabled() || !accepts(splice.AppliedTo(current()))) return false;
    QTimer::singleShot(0, field, [=] {
      const QString text = splice.AppliedTo(current());
      if (field->isEnabled() && accepts(text)) ErrorDisplay::GuardHoldingKeys([&] { apply(text); });
    });
    return true;
  };
}

TextField* EditField(TEdit* edit) {
  const auto accepts = [edit](const QString& text) {
    return !edit->AcceptsText || edit->AcceptsText(text);
  };
  return new InDevicePixels<TextField>(edit, edit, QAccessible::EditableText,
                                       Checked(
                                           edit, [edit] { return edit->text(); }, accepts,
                                           [edit](const QString& text) {
                                             // As a paste: written whole, and the deposit to
                                             // restore follows it.
                                             edit->Offer(0, static_cast<int>(edit->text().size()),
                                                         text);
                                           }));
}

// The years field: its text as typed, and as a value the number it counts as, within its range.
class YearsField : public TextField, public QAccessibleValueInterface {
 public:
  explicit YearsField(TSpinEdit* spin)
      : TextField(spin, spin->Editor(), QAccessible::SpinBox,
                  Checked(
                      spin, [spin] { return spin->text(); }, TSpinEdit::TypedTextAllowed,
                      [spin](const QString& text) { spin->SetTextAndNotify(text); })),
        spin_(spin) {
    // The number is reported whoever wrote it; Qt knows nothing of this field's value.
    QObject::connect(spin->Editor(), &QLineEdit::textChanged, spin, [spin] {
      if (!QAccessible::isActive()) return;
      QAccessibleValueChangeEvent changed(
          spin, std::clamp(spin->Value(), spin->MinValue(), spin->MaxValue()));
      QAccessible::updateAccessibility(&changed);
    });
  }

  // The line edit inside is part of this field, not a control of its own.
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* focusChild() const override { return nullptr; }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return TextField::interface_cast(type);
  }

  QVariant currentValue() const override {
    return std::clamp(spin_->Value(), spin_->MinValue(), spin_->MaxValue());
  }
  void setCurrentValue(const QVariant& value) override {
    QTimer::singleShot(0, spin_, [spin = spin_, years = value.toInt()] {
      ErrorDisplay::GuardHoldingKeys([&] { spin->SetValue(years); });
    });
  }
  QVariant maximumValue() const override { return spin_->MaxValue(); }
  QVariant minimumValue() const override { return spin_->MinValue(); }
  QVariant minimumStepSize() const override { return 1; }

 private:
  TSpinEdit* spin_;
};

// A label another control speaks, hidden from readers.
class SilentLabel : public InDevicePixels<QAccessibleWidget> {
 public:
  explicit SilentLabel(QLabel* label) : InDevicePixels(label, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? static_cast<QLabel*>(widget())->text() : QString();
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = true;
    return state;
  }
};

// Every object made here reports its place in device pixels (DevicePixels.h).
QAccessibleInterface* ControlsFactory(const QString&, QObject* object) {
  using Widget = InDevicePixels<QAccessibleWidget>;
  if (object->property(MainWindowProperty).toBool())
    return new Widget(static_cast<QWidget*>(object), QAccessible::Window);
  if (auto* panel = dynamic_cast<TPanel*>(object)) return new Widget(panel, QAccessible::Pane);
  if (auto* grid = dynamic_cast<TGridPanel*>(object)) return new Widget(grid, QAccessible::Pane);
  if (auto* edit = dynamic_cast<TEdit*>(object)) return EditField(edit);
  if (auto* spin = dynamic_cast<TSpinEdit*>(object)) return new InDevicePixels<YearsField>(spin);
  if (auto* box = dynamic_cast<TComboBox*>(object)) return AccessibleList(box);
  if (auto* slider = dynamic_cast<TTrackBar*>(object)) return AccessibleSlider(slider);
  if (auto* box = dynamic_cast<TCheckBox*>(object)) return new CheckBoxControl(box);
  if (auto* link = dynamic_cast<TLinkLabel*>(object)) return AccessibleLink(link);
  if (auto* label = dynamic_cast<QLabel*>(object); label && SpokenElsewhere(*label))
    return new SilentLabel(label);
  if (auto* chart = dynamic_cast<TChart*>(object)) return new InDevicePixels<ChartTable>(chart);
  return nullptr;
}

}  // namespace

void InstallAccessibleControls(QWidget& mainWindow) {
  static const bool installed =
      (QAccessible::installFactory(ControlsFactory), InstallNarrowTextChanges(), true);
  (void)installed;
  mainWindow.setProperty(MainWindowProperty, true);
}

}  // namespace penmarrow::ui
