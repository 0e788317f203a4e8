#pragma once
// The names a screen reader speaks for the window's controls: each input with its caption, each
// total with its strategy and caption; the descriptions that name the keys a listener cannot see.

class QObject;
class QString;

namespace penmarrow::ui {

class TFMain;
struct TotalsPanel;

void NameControls(TFMain& window);
// Called whenever the totals' values change: "Your strategy, total savings, $2,887".
void NameTotals(const TotalsPanel& totals);
// A label whose text another control speaks (a total's caption, the start's years): readers pass
// over it, so that reviewing the screen says it once.
bool SpokenElsewhere(const QObject& label);
// The keys a listener cannot see, for the help key.
QString KeysHelp();

}  // namespace penmarrow::ui
