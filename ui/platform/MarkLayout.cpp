#include "ui/platform/MarkLayout.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

namespace penmarrow::ui {
namespace {

constexpr double Gap = 2;  // free pixels kept between two boxes

// The box moved the least way that brings it inside `bounds`.
QRectF Inside(QRectF box, const QRectF& bounds) {
  box.moveLeft(
      std::clamp(box.left(), bounds.left(), std::max(bounds.left(), bounds.right() - box.width())));
  box.moveTop(
      std::clamp(box.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - box.height())));
  return box;
}

bool Touches(const QRectF& a, const QRectF& b) {
  return a.adjusted(-Gap, -Gap, Gap, Gap).intersects(b);
}

bool LineCrosses(const QLineF& line, const QRectF& box) {
  // Most boxes lie clear of the line's own bounds: no edge to test then.
  if (std::max(line.x1(), line.x2()) < box.left() || std::min(line.x1(), line.x2()) > box.right() ||
      std::max(line.y1(), line.y2()) < box.top() || std::min(line.y1(), line.y2()) > box.bottom())
    return false;
  const QLineF edges[] = {{box.topLeft(), box.topRight()},
                          {box.topRight(), box.bottomRight()},
                          {box.bottomRight(), box.bottomLeft()},
                          {box.bottomLeft(), box.topLeft()}};
  return box.contains(line.p1()) ||
         std::any_of(std::begin(edges), std::end(edges), [&](const QLineF& edge) {
           return line.intersects(edge, nullptr) == QLineF::BoundedIntersection;
         });
}

// The natural place first, then beside or above each box it would touch, nearest first.
std::vector<QRectF> Candidates(const QRectF& natural, const std::vector<QRectF>& placed,
                               const QRectF& bounds) {
  std::vector<QRectF> candidates{Inside(natural, bounds)};
  for (const QRectF& other : placed) {
    if (!Touches(candidates.front(), other)) continue;
    for (const double dx :
         {other.left() - Gap - 1 - natural.right(), other.right() + Gap + 1 - natural.left()})
      candidates.push_back(Inside(natural.translated(dx, 0), bounds));
    candidates.push_back(
        Inside(natural.translated(0, other.top() - Gap - 1 - natural.bottom()), bounds));
  }
  const QPointF centre = natural.center();
  std::stable_sort(candidates.begin() + 1, candidates.end(), [&](const QRectF& a, const QRectF& b) {
    return QLineF(a.center(), centre).length() < QLineF(b.center(), centre).length();
  });
  return candidates;
}

}  // namespace

QPointF ArrowEnd(const QRectF& box, QPointF anchor) {
  return {std::clamp(anchor.x(), box.left() + 1, std::max(box.left() + 1, box.right() - 1)),
          box.bottom()};
}

std::vector<std::optional<QRectF>> PlaceMarks(const std::vector<MarkRequest>& requests,
                                              const QRectF& bounds) {
  std::vector<std::optional<QRectF>> result;
  std::vector<QRectF> placed;
  for (const MarkRequest& request : requests) {
    const QRectF natural(request.anchor.x() - request.size.width() / 2,
                         request.anchor.y() - request.arrowLength - request.size.height(),
                         request.size.width(), request.size.height());
    std::optional<QRectF> chosen;
    for (const QRectF& box : Candidates(natural, placed, bounds)) {
      const auto free = [&] {
        return std::none_of(placed.begin(), placed.end(),
                            [&](const QRectF& o) { return Touches(box, o); });
      };
      const QLineF line(request.anchor, ArrowEnd(box, request.anchor));
      const auto clearLine = [&] {
        return std::none_of(placed.begin(), placed.end(),
                            [&](const QRectF& o) { return LineCrosses(line, o); });
      };
      // Other marks stay near their bars, straight above them, or are better left out.
      const bool near = box.bottom() >= natural.bottom() - natural.height() - 2 * Gap - 1 &&
                        std::abs(line.dx()) < 0.5;
      if ((request.mustShow || near) && free() && (request.mustShow || clearLine())) {
        chosen = box;
        break;
      }
    }
    if (!chosen && request.mustShow) chosen = Inside(natural, bounds);
    if (chosen) placed.push_back(*chosen);
    result.push_back(chosen);
  }
  return result;
}

}  // namespace penmarrow::ui
