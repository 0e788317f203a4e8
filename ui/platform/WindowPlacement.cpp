#include "ui/platform/WindowPlacement.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace penmarrow::ui {

QPoint CentredTopLeft(const QRect& available, QSize outer) {
  const int left = available.left() + (available.width() - outer.width()) / 2;
  const int top = available.top() + (available.height() - outer.height()) / 2;
  return {std::max(left, available.left()), std::max(top, available.top())};
}

QSize FittedClientSize(QSize available, const QMargins& frame, QSize client, QSize smallestOuter) {
  const QSize outer = client.grownBy(frame);
  return outer.boundedTo(available).expandedTo(smallestOuter.boundedTo(outer)).shrunkBy(frame);
}

void KeepSmallestOuterSize(QWidget& window, QSize outer, QSize design) {
  const QWindow* handle = window.windowHandle();
  // The frame is known only once the window manager has framed and mapped the window.
  if (!handle || !handle->isExposed()) return;
  // Under a frame thinner than the design assumes, the smallest size would grow the window
  // beyond its design size, which the window manager would then enforce.
  window.setMinimumSize(
      outer.shrunkBy(handle->frameMargins()).expandedTo({0, 0}).boundedTo(design));
}

}  // namespace penmarrow::ui
