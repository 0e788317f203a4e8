#include "ui/eventloop/WaitingEvents.h"

#include <QCoreApplication>

namespace penmarrow::ui {

void ProcessWaitingEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace penmarrow::ui
