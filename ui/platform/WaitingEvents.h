#pragma once
// Letting the toolkit handle the messages that wait, from inside a handler.

namespace penmarrow::ui {

// Runs the waiting paint, layout, timer and window events. User input waits, so that keys are
// handled one after another, and so do deferred deletions: an object whose code is still on the
// stack below this handler (a context menu whose action is running) must outlive it.
void ProcessWaitingEvents();

}  // namespace penmarrow::ui
