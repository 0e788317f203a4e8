#pragma once
// The totals of one strategy as the window shows them: a heading and four captions with their
// values.

#include <QFrame>
#include <array>
#include <utility>

#include "ui/platform/Anchors.h"
#include "ui/platform/Label.h"

namespace penmarrow::ui {

struct TotalsPanel {
  QFrame* panel;
  TLabel* heading;
  TLabel* initialDep;
  TLabel* regularDep;
  TLabel* totalInt;
  TLabel* total;
  TLabel* initialDepVal;
  TLabel* regularDepVal;
  TLabel* totalIntVal;
  TLabel* totalVal;
  AnchorSet anchors;
  // Each caption with its value, top to bottom.
  std::array<std::pair<TLabel*, TLabel*>, 4> Rows() const;
  bool LabelsFit() const;
};

}  // namespace penmarrow::ui
