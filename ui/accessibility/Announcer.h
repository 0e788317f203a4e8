#pragma once
// Hands a message to screen readers, each message as new, so that a reader that keeps what it
// read of an object never repeats an older one.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <deque>

#include <QAccessible>

namespace penmarrow::ui {

class Announcer {
 public:
  explicit Announcer(QWidget& window) : window_(&window) {}
  ~Announcer();
  Announcer(const Announcer&) = delete;
  Announcer& operator=(const Announcer&) = delete;

  void Say(const QString& message);

 private:
  QPointer<QWidget> window_;
  std::deque<QAccessible::Id> notices_;  // the latest few, which a reader may still be reading
};

}  // namespace penmarrow::ui
