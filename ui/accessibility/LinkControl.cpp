#include "ui/accessibility/LinkControl.h"

#include <QAccessibleWidget>
#include <QRegularExpression>
#include <QTimer>

#include "ui/accessibility/DevicePixels.h"
#include "ui/accessibility/SpokenText.h"
#include "ui/platform/ErrorDisplay.h"
#include "ui/platform/LinkLabel.h"

namespace penmarrow::ui {
namespace {

class Link : public QAccessibleWidget {
 public:
  explicit Link(TLinkLabel* label) : QAccessibleWidget(label, QAccessible::Link), label_(label) {}

  QString text(QAccessible::Text t) const override {
    // Reviewing the screen line by line reads names alone: the name says it is a link.
    if (t == QAccessible::Name)
      return QStringLiteral("Link to ") + SpokenAddress(label_->ShownText());
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = true;
    return state;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  // Followed from the event loop, once the reader's call is answered.
  void doAction(const QString& name) override {
    if (name != pressAction()) return;
    QTimer::singleShot(0, label_, [label = label_] {
      const QString target = Target(label->text());
      if (label->OnLinkClick && !target.isEmpty())
        ErrorDisplay::GuardHoldingKeys([&] { label->OnLinkClick(target); });
    });
  }

 private:
  static QString Target(const QString& markup) {
    return QRegularExpression(QStringLiteral("href=\"([^\"]*)\"")).match(markup).captured(1);
  }

  TLinkLabel* label_;
};

}  // namespace

QAccessibleInterface* AccessibleLink(TLinkLabel* label) { return new InDevicePixels<Link>(label); }

}  // namespace penmarrow::ui
