#pragma once
// The window's typeface is Tahoma, which Debian does not ship under that name.

namespace penmarrow::ui {

// Call once after the application object exists and before the first window is made.
void UseWindowFonts();

}  // namespace penmarrow::ui
