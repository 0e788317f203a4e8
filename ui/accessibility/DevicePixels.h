#pragma once
// Places on the screen as assistive tools count them. Workaround, Qt 6.4 to 6.8: Qt's AT-SPI bridge
// hands on Qt's device-independent pixels unchanged, while X11 and every tool reading the places
// count device pixels: at a scale factor of 2 a magnifier or a click by position would land at half
// the distance. The program's own accessible objects therefore report device pixels, until a Qt
// built with scales the places itself (desktop.a11y's places at twice the size then fail).

#include <QAccessibleWidget>
#include <QRect>

namespace penmarrow::ui {

// A rectangle in Qt's global coordinates, in the screen's device pixels.
QRect DevicePixels(const QWidget& widget, const QRect& global);

// The child of parent whose place on the screen, in device pixels, holds the point.
QAccessibleInterface* ChildAtDevicePoint(const QAccessibleInterface& parent, QPoint point);

// An accessible widget that reports its place in device pixels.
template <class Base>
class InDevicePixels : public Base {
 public:
  using Base::Base;
  QRect rect() const override { return DevicePixels(*this->widget(), Base::rect()); }
  QAccessibleInterface* childAt(int x, int y) const override {
    return ChildAtDevicePoint(*this, QPoint(x, y));
  }
};

}  // namespace penmarrow::ui
