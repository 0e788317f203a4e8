#pragma once
// What the line edits report to screen readers, shaped to what the user did. A field's key rule
// writes its whole text, which Qt reports as the old text removed and the new one inserted; a
// screen reader then speaks the whole old text for a BackSpace. The report is narrowed to the
// characters that changed, as if the control had edited them itself. Selection changes the user
// did not make are left out: the selection Qt drops when a field loses the focus ("Text
// unselected" after every Tab) and the one it makes when Tab brings the focus, before the focus is
// told (the value twice). A field's caret and selection reports come after its text's, so that a
// key typed over a selection is not heard as "Text unselected". A drop-down list's pop-up viewport
// is never announced, as Qt cannot place it among the list's children.

#include <QString>

class QAccessibleEvent;

namespace penmarrow::ui {

struct TextChange {
  int position = 0;
  QString removed;
  QString inserted;
};

// What changed between two texts: the part between their common start and their common end.
TextChange ChangeBetween(const QString& before, const QString& after);

// Shapes the reports of every line edit from here on; safe to call more than once.
void InstallNarrowTextChanges();

}  // namespace penmarrow::ui
