#include "ui/platform/Label.h"

namespace penmarrow::ui {

void TLabel::SetCaption(const QString& caption) {
  setText(caption);
  adjustSize();
  if (Anchoring && parentWidget()) Anchoring->Apply(parentWidget()->size());
}

}  // namespace penmarrow::ui
