#include "ui/platform/WaitingEvents.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <vector>

namespace penmarrow::ui {
namespace {

// Takes every deferred deletion that comes due while it is installed, to post it again afterwards.
class DeletionHold : public QObject {
 public:
  DeletionHold() { QCoreApplication::instance()->installEventFilter(this); }
  ~DeletionHold() override {
    QCoreApplication::instance()->removeEventFilter(this);
    // Posted from here, a deletion comes due only once the loop is back below this handler.
    for (const QPointer<QObject>& object : held_)
      if (object) object->deleteLater();
  }
  DeletionHold(const DeletionHold&) = delete;
  DeletionHold& operator=(const DeletionHold&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::DeferredDelete) return false;
    held_.emplace_back(watched);
    return true;
  }

 private:
  std::vector<QPointer<QObject>> held_;
};

}  // namespace

void ProcessWaitingEvents() {
  const DeletionHold hold;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace penmarrow::ui
