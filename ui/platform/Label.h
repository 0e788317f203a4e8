#pragma once

#include <QLabel>

#include "ui/platform/Anchors.h"

namespace penmarrow::ui {

// A label that sizes itself to its caption and keeps its anchoring.
class TLabel : public QLabel {
 public:
  explicit TLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}
  void SetCaption(const QString& caption);
  const AnchorSet* Anchoring = nullptr;
};

}  // namespace penmarrow::ui
