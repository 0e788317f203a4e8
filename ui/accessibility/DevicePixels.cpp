#include "ui/accessibility/DevicePixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace penmarrow::ui {

QRect DevicePixels(const QWidget& widget, const QRect& global) {
  // Wayland gives programs no places on the screen at all: what Qt reports there stays as it is.
  if (global.isNull() || QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
    return global;
  const qreal ratio = widget.devicePixelRatio();
  // Qt keeps each screen's top left corner at the same place in both kinds of pixels.
  const QPointF origin = widget.screen()->geometry().topLeft();
  const QPointF topLeft = (QPointF(global.topLeft()) - origin) * ratio + origin;
  return QRect(topLeft.toPoint(), (QSizeF(global.size()) * ratio).toSize());
}

QAccessibleInterface* ChildAtDevicePoint(const QAccessibleInterface& parent, QPoint point) {
  for (int i = 0; i < parent.childCount(); ++i) {
    QAccessibleInterface* child = parent.child(i);
    if (!child || !child->isValid()) continue;
    // Qt's own objects among the children (labels)
    // report Qt's pixels: their widget tells the place.
    const auto* widget = qobject_cast<const QWidget*>(child->object());
    const QRect place =
        !widget ? child->rect()
        : widget->isVisible()
            ? DevicePixels(*widget, QRect(widget->mapToGlobal(QPoint()), widget->size()))
            : QRect();
    if (place.contains(point)) return child;
  }
  return nullptr;
}

}  // namespace penmarrow::ui
