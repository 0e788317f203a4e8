#pragma once
// The window's typeface is Tahoma, which Debian does not ship under that name; the chart's texts
// are Arial.

#include <QFont>

namespace penmarrow::ui {

// Tahoma at a character height in pixels; bold texts get a face whose strokes are really bold.
QFont WindowFont(int pixels, bool bold = false);

// Arial at a character height in pixels: the chart's legend and axis titles.
QFont ChartFont(int pixels);
// Arial at 8 points: every other text of the chart, its axis labels and its marks.
QFont ChartSmallFont();

// Call once after the application object exists and before the first window is made: every
// control then uses Tahoma 13 px unless it sets a font of its own.
void UseWindowFonts();

}  // namespace penmarrow::ui
