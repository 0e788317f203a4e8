#include "ui/accessibility/Announcer.h"

namespace penmarrow::ui {
namespace {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
constexpr std::size_t KeptNotices = 4;

// One message as a notification; its name is the message.
class Notice : public QAccessibleInterface {
 public:
  Notice(QWidget* window, QString message) : window_(window), message_(std::move(message)) {}

  bool isValid() const override { return !window_.isNull(); }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(window_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? message_ : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  QPointer<QWidget> window_;
  QString message_;
};
#endif

}  // namespace

Announcer::~Announcer() {
  for (const QAccessible::Id id : notices_) QAccessible::deleteAccessibleInterface(id);
}

void Announcer::Say(const QString& message) {
  if (!QAccessible::isActive() || !window_) return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent announcement(window_, message);
  QAccessible::updateAccessibility(&announcement);
#else
  // Workaround, Qt before 6.8, which has no announcement call: each message shows as a
  // notification object of its own (a reader keeps the name it read of an object). Goes once
  // Qt 6.8 is the oldest Qt built with (Debian 12's Qt 6.4 dropped).
  auto* notice = new Notice(window_, message);
  notices_.push_back(QAccessible::registerAccessibleInterface(notice));
  QAccessibleEvent shown(notice, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
  if (notices_.size() > KeptNotices) {
    QAccessible::deleteAccessibleInterface(notices_.front());
    notices_.pop_front();
  }
#endif
}

}  // namespace penmarrow::ui
