#pragma once
// Where the value marks above the bars go so that each can be read: a mark that would cover
// another moves beside or above it, or is left out; marks that must be shown always are.

#include <QRectF>
#include <optional>
#include <vector>

namespace penmarrow::ui {

struct MarkRequest {
  QPointF anchor;      // the top of the mark's bar, where its line starts
  QSizeF size;         // the mark's box
  double arrowLength;  // the box's bottom stands this far above the anchor when there is room
  bool mustShow;       // never left out
};

// The box of each request, placed in request order (the first have the first choice) inside
// `bounds`, or nothing for a mark left out. Boxes never share a pixel; a line from a mark's anchor
// to its box crosses no other box unless the mark must be shown.
std::vector<std::optional<QRectF>> PlaceMarks(const std::vector<MarkRequest>& requests,
                                              const QRectF& bounds);

// The point of a box's bottom edge that its line from `anchor` reaches.
QPointF ArrowEnd(const QRectF& box, QPointF anchor);

}  // namespace penmarrow::ui
