#pragma once
// Input that arrives while an error box is up. Keys typed at the program's other windows were
// typed while the user still saw the field, so they are kept and replayed there, in order, once
// the box has closed and no handler is running; other input to those windows is dropped, as a
// modal box would drop it. Qt's own modality cannot serve: it discards a key aimed at a blocked
// window before any event filter sees it.

#include <QObject>
#include <QPointer>
#include <QWidget>  // QPointer<QWidget> converts to QWidget* only where QWidget is whole
#include <deque>
#include <memory>

class QEvent;

namespace penmarrow::ui {

class HeldInput final : public QObject {
 public:
  static HeldInput& Instance();

  // Marks one of the program's handlers as running: held keys wait until none runs, so that a
  // replayed key never lands inside the handling of another.
  class HandlerScope {
   public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
  };

  // Holds the input of every other window for as long as it lives; the held keys are replayed
  // after it ends.
  class BoxScope {
   public:
    explicit BoxScope(QWidget& box);
    ~BoxScope();
    BoxScope(const BoxScope&) = delete;
    BoxScope& operator=(const BoxScope&) = delete;
  };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  HeldInput() = default;
  bool Holding() const { return box_ || !held_.empty(); }
  bool ForTheBox(QObject* watched) const;
  void Watch();
  void ScheduleReplay();
  void Replay();

  struct HeldKey {
    QPointer<QObject> target;
    std::unique_ptr<QEvent> event;
  };
  std::deque<HeldKey> held_;
  QPointer<QWidget> box_;
  const QEvent* replaying_ = nullptr;
  int runningHandlers_ = 0;
  bool watching_ = false;
  bool replayScheduled_ = false;
};

}  // namespace penmarrow::ui
