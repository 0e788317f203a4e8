#pragma once
// Whether a compositor blends the program's windows with what lies beneath them, so that a window
// can show translucent pixels: always on Wayland, on X11 while a compositing manager runs. Without
// one an X server shows a window's alpha channel as black, and ignores the window opacity it is
// asked for.

class QWidget;

namespace penmarrow::ui {

// Asks the display server once, as a window is made: the answer decides how that window is built.
bool CompositorRuns();

// Gives a top-level window that is not created yet an alpha channel, where a compositor runs to
// blend it; returns whether it did.
bool UseTranslucentBackground(QWidget& window);

}  // namespace penmarrow::ui
