#pragma once
// Anchoring of child controls to their parent's edges: an anchored edge keeps its distance to the
// parent's edge; a control anchored to neither side keeps its centre at the same proportion.

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

namespace penmarrow::ui {

enum Anchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using Anchors = int;

class AnchorSet {
 public:
  // Records the control's distances from its current geometry in a parent of size `parentSize`.
  void Add(QWidget* control, Anchors anchors, QSize parentSize);
  // Places every control for a parent of the given size; controls keep their own current size
  // along an axis anchored on one side only (labels that size themselves to their text).
  void Apply(QSize parentSize) const;

 private:
  struct Rule {
    QPointer<QWidget> control;
    Anchors anchors;
    QMargins distances;  // to the parent's left, top, right and bottom edges
    QPointF centre;      // as a proportion of the parent's size
  };
  static QRect Place(const Rule& rule, QSize parentSize);
  std::vector<Rule> rules_;
};

}  // namespace penmarrow::ui
