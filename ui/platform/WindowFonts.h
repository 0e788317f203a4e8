#pragma once
// The window's typeface is Tahoma, which Debian does not ship under that name.

#include <QFont>

namespace penmarrow::ui {

// Tahoma at a character height in pixels; bold texts get a face whose strokes are really bold.
QFont WindowFont(int pixels, bool bold = false);

// Call once after the application object exists and before the first window is made: every
// control then uses Tahoma 13 px unless it sets a font of its own.
void UseWindowFonts();

}  // namespace penmarrow::ui
