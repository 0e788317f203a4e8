#pragma once
// Makes Qt's accessibility expose the window, its panels, entry fields, years field and start-later
// slider through our own interfaces; safe to call more than once.

namespace penmarrow::ui {

void InstallAccessibleControls();

}  // namespace penmarrow::ui
