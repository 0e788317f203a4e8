#pragma once
// Where a top-level window opens, and how small the window manager lets the user make it.

#include <QMargins>
#include <QRect>

class QWidget;

namespace penmarrow::ui {

// The top-left corner that centres a window of `outer` size on `available`; a window larger than
// that area starts at its left or top edge, so its title bar and left side stay within reach.
QPoint CentredTopLeft(const QRect& available, QSize outer);

// The client size a window of client size `client` opens at within the `available` area: as it is
// where the area holds it with its `frame`, otherwise the largest that fits, but never below the
// smallest outer size (nor grown to it).
QSize FittedClientSize(QSize available, const QMargins& frame, QSize client, QSize smallestOuter);

// Makes `outer` (frame and title bar included) the smallest size of the window once its frame is
// known, but never more than the client size `design` the window opens with.
void KeepSmallestOuterSize(QWidget& window, QSize outer, QSize design);

}  // namespace penmarrow::ui
