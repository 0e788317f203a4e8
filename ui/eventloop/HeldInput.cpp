#include "ui/eventloop/HeldInput.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace penmarrow::ui {
namespace {

// What a modal box keeps from the windows it blocks, apart from keys.
bool IsBlockedInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: return true;
    default: return false;
  }
}

QWidget* WidgetOf(QObject* object) {
  if (auto* widget = qobject_cast<QWidget*>(object)) return widget;
  if (auto* window = qobject_cast<QWindow*>(object))
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->windowHandle() == window) return top;
  return nullptr;
}

bool WaitsForActivation(QObject* target) {
  const QWidget* widget = WidgetOf(target);
  return widget && widget->isVisible() && !widget->isActiveWindow();
}

}  // namespace

HeldInput& HeldInput::Instance() {
  // Owned by the application, so that it goes before the application's event filters do.
  static HeldInput* const instance = [] {
    auto* held = new HeldInput;
    held->setParent(QCoreApplication::instance());
    return held;
  }();
  return *instance;
}

HeldInput::HandlerScope::HandlerScope() { ++Instance().runningHandlers_; }

HeldInput::HandlerScope::~HandlerScope() {
  HeldInput& held = Instance();
  if (--held.runningHandlers_ == 0 && !held.held_.empty()) held.ScheduleReplay();
}

HeldInput::BoxScope::BoxScope(QWidget& box) {
  HeldInput& held = Instance();
  held.box_ = &box;
  held.Watch();
}

HeldInput::BoxScope::~BoxScope() {
  HeldInput& held = Instance();
  held.box_ = nullptr;
  if (!held.held_.empty()) held.ScheduleReplay();
}

void HeldInput::Watch() {
  if (watching_) return;
  watching_ = true;
  QCoreApplication::instance()->installEventFilter(this);
}

bool HeldInput::ForTheBox(QObject* watched) const {
  if (!box_) return false;
  const QWidget* widget = WidgetOf(watched);
  if (!widget) return true;  // not aimed at a window at all
  for (const QObject* object = widget; object; object = object->parent())
    if (object == box_) return true;
  return false;
}

bool HeldInput::eventFilter(QObject* watched, QEvent* event) {
  if (!Holding() || event == replaying_ || ForTheBox(watched)) return false;
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    held_.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
    return true;
  }
  if (type == QEvent::WindowActivate && qobject_cast<QWidget*>(watched) &&
      static_cast<QWidget*>(watched)->isWindow()) {
    // Clicking the window beneath must not leave the box behind it; once the box is gone, the
    // window the keys wait for has come back.
    if (box_ && box_->isVisible())
      box_->activateWindow();
    else if (!box_)
      ScheduleReplay();
    return false;
  }
  const bool closesAWindow = type == QEvent::Close && qobject_cast<QWindow*>(watched);
  if (box_ && (IsBlockedInput(type) || closesAWindow)) {
    event->ignore();
    return true;
  }
  return false;
}

void HeldInput::ScheduleReplay() {
  if (replayScheduled_) return;
  replayScheduled_ = true;
  const auto replay = [this] { Replay(); };
  QMetaObject::invokeMethod(this, replay, Qt::QueuedConnection);
}

// One key at a time, each handled to its end before the next; a key that raises an error opens
// the box again, and the keys behind it wait for that box in turn.
void HeldInput::Replay() {
  replayScheduled_ = false;
  while (!held_.empty() && !box_ && runningHandlers_ == 0 && !replaying_) {
    if (held_.front().target && WaitsForActivation(held_.front().target)) {
      // A key typed into a window that is not active would not move its focus as typed.
      WidgetOf(held_.front().target)->activateWindow();
      return;
    }
    const HeldKey key = std::move(held_.front());
    held_.pop_front();
    if (!key.target) continue;
    replaying_ = key.event.get();
    QCoreApplication::sendEvent(key.target, key.event.get());
    replaying_ = nullptr;
  }
}

}  // namespace penmarrow::ui
