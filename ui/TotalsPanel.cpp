#include "ui/TotalsPanel.h"

#include <algorithm>

namespace penmarrow::ui {

std::array<std::pair<TLabel*, TLabel*>, 4> TotalsPanel::Rows() const {
  return {{{initialDep, initialDepVal},
           {regularDep, regularDepVal},
           {totalInt, totalIntVal},
           {total, totalVal}}};
}

bool TotalsPanel::LabelsFit() const {
  const auto rows = Rows();
  return std::all_of(rows.begin(), rows.end(), [](const auto& pair) {
    return pair.first->x() + pair.first->width() < pair.second->x();
  });
}

}  // namespace penmarrow::ui
