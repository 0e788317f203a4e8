#include "ui/platform/ErrorDisplay.h"

#include "ui/platform/ErrorBox.h"

namespace penmarrow::ui {
namespace {

ErrorDisplay::Presenter& CurrentPresenter() {
  static ErrorDisplay::Presenter presenter = ShowErrorBox;
  return presenter;
}

}  // namespace

QString ErrorDisplay::WithFullStop(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
  return message;
}

void ErrorDisplay::SetPresenter(Presenter presenter) {
  CurrentPresenter() = presenter ? std::move(presenter) : Presenter(ShowErrorBox);
}

void ErrorDisplay::ShowFault(const char* technical) noexcept {
  qWarning("Penmarrow: a step failed: %s", technical);
  Show(QStringLiteral("Penmarrow could not finish this step"));
}

void ErrorDisplay::Show(const QString& message) noexcept {
  // The box runs an event loop; an error raised by a handler it lets run is already on screen.
  static bool showing = false;
  if (showing) return;
  showing = true;
  try {
    CurrentPresenter()(WithFullStop(message));
  } catch (...) {
  }
  showing = false;
}

}  // namespace penmarrow::ui
