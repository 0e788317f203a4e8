#pragma once
// The names a screen reader speaks for the window's controls: each input with its caption, each
// total with its strategy and caption.

namespace penmarrow::ui {

class TFMain;
struct TotalsPanel;

void NameControls(TFMain& window);
// Called whenever the totals' values change: "Your strategy, total savings, $2,887".
void NameTotals(const TotalsPanel& totals);

}  // namespace penmarrow::ui
