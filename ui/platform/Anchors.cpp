#include "ui/platform/Anchors.h"

#include <cmath>

namespace penmarrow::ui {
namespace {

// One axis: start and length for the given anchors at its near and far edges.
std::pair<int, int> PlaceAxis(bool nearAnchored, bool farAnchored, int nearDistance,
                              int farDistance, double centre, int length, int parentLength) {
  if (nearAnchored && farAnchored) return {nearDistance, parentLength - nearDistance - farDistance};
  if (farAnchored) return {parentLength - farDistance - length, length};
  if (nearAnchored) return {nearDistance, length};
  return {static_cast<int>(std::lround(centre * parentLength - length / 2.0)), length};
}

}  // namespace

void AnchorSet::Add(QWidget* control, Anchors anchors, QSize parentSize) {
  const QRect g = control->geometry();
  const QMargins distances(g.left(), g.top(), parentSize.width() - g.right() - 1,
                           parentSize.height() - g.bottom() - 1);
  const QPointF centre((g.left() + g.width() / 2.0) / parentSize.width(),
                       (g.top() + g.height() / 2.0) / parentSize.height());
  rules_.push_back({control, anchors, distances, centre});
}

QRect AnchorSet::Place(const Rule& rule, QSize parentSize) {
  const QRect g = rule.control->geometry();
  const auto [x, width] =
      PlaceAxis(rule.anchors & akLeft, rule.anchors & akRight, rule.distances.left(),
                rule.distances.right(), rule.centre.x(), g.width(), parentSize.width());
  const auto [y, height] =
      PlaceAxis(rule.anchors & akTop, rule.anchors & akBottom, rule.distances.top(),
                rule.distances.bottom(), rule.centre.y(), g.height(), parentSize.height());
  return {x, y, width, height};
}

void AnchorSet::Apply(QSize parentSize) const {
  for (const Rule& rule : rules_)
    if (rule.control) rule.control->setGeometry(Place(rule, parentSize));
}

}  // namespace penmarrow::ui
