#pragma once
// The program's look as start-up applies it: the window fonts, then the visual style. The widget
// tests apply the same, so that they see the windows as the program shows them.

namespace penmarrow::ui {

// Call once after the application object exists and before the first window is made.
void ApplyProgramLook();

}  // namespace penmarrow::ui
