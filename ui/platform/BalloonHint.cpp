#include "ui/platform/BalloonHint.h"

#include <QCursor>
#include <QEvent>

namespace penmarrow::ui {

TBalloonHint::TBalloonHint(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setObjectName(QStringLiteral("BalloonHint"));
  setStyleSheet(QStringLiteral("QLabel#BalloonHint { background: #ffffe1; color: black; border: 1px solid #767676;"
                               " border-radius: 6px; padding: 6px 9px; }"));
  showTimer_.setSingleShot(true);
  hideTimer_.setSingleShot(true);
  connect(&showTimer_, &QTimer::timeout, this, [this] {
    move(pendingPoint_);
    adjustSize();
    show();
    hideTimer_.start(HideAfter);
  });
  connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

void TBalloonHint::SetTitle(const QString& title) { setText(title); }

void TBalloonHint::ShowHint(const QPoint& screenPoint) {
  pendingPoint_ = screenPoint;
  showTimer_.start(Delay);
}

void TBalloonHint::HideHint() {
  showTimer_.stop();
  hideTimer_.stop();
  hide();
}

void TBalloonHint::AttachHover(QWidget* control) {
  hoverControl_ = control;
  control->installEventFilter(this);
}

bool TBalloonHint::eventFilter(QObject* watched, QEvent* event) {
  if (watched == hoverControl_ && hoverEnabled_) {
    if (event->type() == QEvent::Enter) ShowHint(QCursor::pos() + QPoint(0, 20));
    if (event->type() == QEvent::Leave) HideHint();
  }
  return QLabel::eventFilter(watched, event);
}

}  // namespace penmarrow::ui
