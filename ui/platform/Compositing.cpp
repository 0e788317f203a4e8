#include "ui/platform/Compositing.h"

#include <QGuiApplication>
#include <QWidget>

#if QT_CONFIG(xcb)
#include <X11/Xlib.h>  // last: its macros clash with Qt's names
#endif

namespace penmarrow::ui {

bool CompositorRuns() {
  const QString platform = QGuiApplication::platformName();
  if (platform.startsWith(QLatin1String("wayland"))) return true;
#if QT_CONFIG(xcb)
  // A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs (EWMH). Only xcb
  // has a display to ask. Workaround, Qt 6.8: its offscreen platform offers the X11 interface
  // without a display, so both are checked; a guard that costs nothing, kept for every Qt.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (platform == QLatin1String("xcb") && x11 && x11->display()) {
    Display* display = x11->display();
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, selection.constData(), False)) != None;
  }
#endif
  return false;
}

bool UseTranslucentBackground(QWidget& window) {
  const bool translucent = CompositorRuns();
  window.setAttribute(Qt::WA_TranslucentBackground, translucent);
  return translucent;
}

}  // namespace penmarrow::ui
