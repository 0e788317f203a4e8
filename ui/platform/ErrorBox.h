#pragma once
// The error box: the program's look, the application title for its caption, the error icon, the
// message and one OK button, which is the default. It blocks the program's other windows while it
// is up, and the keys typed at them meanwhile reach them once it has closed.

#include <QString>

namespace penmarrow::ui {

void ShowErrorBox(const QString& message);

}  // namespace penmarrow::ui
