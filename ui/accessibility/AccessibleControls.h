#pragma once
// Makes Qt's accessibility expose the window, its panels, entry fields, years field, frequency
// lists, start-later slider, link and chart (as a table) through our own interfaces, and narrows
// what the entry fields report; safe to call more than once, once per main window.

class QWidget;

namespace penmarrow::ui {

// Called before the window makes its controls, so that no interface was made for it yet.
void InstallAccessibleControls(QWidget& mainWindow);

}  // namespace penmarrow::ui
