#pragma once
// Letting the toolkit handle the messages that wait, from inside a handler.

namespace penmarrow::ui {

// Runs the waiting paint, layout, timer and window events. User input waits, so that keys are
// handled one after another.
void ProcessWaitingEvents();

}  // namespace penmarrow::ui
