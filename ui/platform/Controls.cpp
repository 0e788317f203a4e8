#include "ui/platform/Controls.h"

#include <QSignalBlocker>

#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {
namespace {

void RunGuarded(const std::function<void()>& handler) {
  if (handler) ErrorDisplay::GuardHoldingKeys(handler);
}

}  // namespace

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setTickPosition(QSlider::NoTicks);
  connect(this, &QSlider::valueChanged, this, [this] { RunGuarded(OnChange); });
}

void TTrackBar::SetMax(int maximum) {
  const int before = value();
  {
    const QSignalBlocker quiet(this);  // the move is reported below, inside our own call
    setMaximum(maximum);
  }
  if (value() != before && OnChange) OnChange();
}

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this] { RunGuarded(OnChange); });
}

TCheckBox::TCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
  // Every change runs the handler once, whoever makes it: a click, the space bar, an assistive
  // tool's Toggle action (which sets the state without a click) or code.
  connect(this, &QCheckBox::toggled, this, [this] { RunGuarded(OnClick); });
}

}  // namespace penmarrow::ui
