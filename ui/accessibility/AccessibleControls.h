#pragma once
// Makes Qt's accessibility expose the window, its panels, entry fields, years field, frequency
// lists, start-later slider, link and chart (as a table) through our own interfaces, and narrows
// what the entry fields report; safe to call more than once.

namespace penmarrow::ui {

void InstallAccessibleControls();

}  // namespace penmarrow::ui
