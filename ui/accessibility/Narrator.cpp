#include "ui/accessibility/Narrator.h"

#include <QAccessible>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "ui/SpokenText.h"
#include "ui/UMain.h"

namespace penmarrow::ui {
namespace {

// The one notification of the window: its name is the latest message.
class Notice : public QAccessibleInterface {
 public:
  explicit Notice(QWidget* window) : window_(window) {}
  QString message;

  bool isValid() const override { return !window_.isNull(); }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(window_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? message : QString(); }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  QPointer<QWidget> window_;
};

QString StrategyTotals(const TotalsPanel& totals) {
  QStringList figures;
  for (const auto& [caption, value] : totals.Rows()) {
    QString name = caption->text();
    name.chop(name.endsWith(u':') ? 1 : 0);
    figures << name.toLower() + u' ' + value->text();
  }
  return totals.heading->text() + u' ' + figures.join(QStringLiteral(", ")) + u'.';
}

// The key's name as a refusal reads it: the character typed, or the editing key.
QString EditingKeyName(const QString& typed, int key) {
  if (key == Qt::Key_Backspace) return QStringLiteral("Backspace");
  if (key == Qt::Key_Delete) return QStringLiteral("Delete");
  if (typed.isEmpty() || !typed.front().isPrint()) return {};
  return typed.front() == u' ' ? QStringLiteral("Space") : typed.left(1);
}

}  // namespace

Narrator::Narrator(TFMain& window)
    : QObject(&window), window_(window), notice_(QAccessible::registerAccessibleInterface(new Notice(&window))) {
  QWidget* const watched[] = {window.TIntDep,  window.TRegDep,  window.TAltdep,      window.TIntRate,
                              window.seYears,  window.seYears->Editor(), window.CDefFreq, window.CcompFreq,
                              window.CAltFreq, window.TB,       window.chAlternative};
  for (QWidget* control : watched) control->installEventFilter(this);
  // The years field reports each new number, whoever wrote it.
  connect(window.seYears->Editor(), &QLineEdit::textChanged, this, [spin = window.seYears] {
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent changed(spin, std::clamp(spin->Value(), spin->MinValue(), spin->MaxValue()));
    QAccessible::updateAccessibility(&changed);
  });
}

Narrator::~Narrator() { QAccessible::deleteAccessibleInterface(notice_); }

bool Narrator::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat() || pressedIn_ != watched) KeyPressed(watched, key->text(), key->key());
  } else if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
    // Keys wait while a recalculation processes events, so the release comes after all the key did.
    KeyReleased(watched);
  }
  return false;
}

void Narrator::KeyPressed(QObject* watched, const QString& typed, int key) {
  pressedIn_ = watched;
  textBefore_ = ShownText(watched);
  totalsBefore_ = SpokenTotals();
  keyName_ = EditingKeyName(typed, key);
  choiceBefore_ = ChoiceOf(watched);
}

void Narrator::KeyReleased(QObject* watched) {
  if (pressedIn_ != watched) return;
  pressedIn_ = nullptr;
  const auto* control = qobject_cast<QWidget*>(watched);
  if (!control || !control->hasFocus()) return;
  const QString text = ShownText(watched);
  const QString totals = SpokenTotals();
  const bool isField = LineOf(watched) != nullptr;
  QStringList message;
  if (isField && text != textBefore_) message << text;
  if (isField && text == textBefore_ && !keyName_.isEmpty())
    message << QStringLiteral("%1 not accepted, still %2").arg(keyName_, text.isEmpty() ? QStringLiteral("empty") : text);
  if (ChoiceOf(watched) != choiceBefore_) message << ChoiceOf(watched);
  if (totals != totalsBefore_) message << totals;
  if (!message.isEmpty()) Announce(message.join(QStringLiteral(". ")));
}

QString Narrator::SpokenTotals() const {
  QStringList strategies;
  // Your strategy's totals are kept up to date even while a narrow window hides them.
  strategies << StrategyTotals(window_.Totals1);
  if (window_.chAlternative->Checked()) strategies << StrategyTotals(window_.Totals2);
  return strategies.join(u' ');
}

void Narrator::Announce(const QString& message) {
  auto* notice = static_cast<Notice*>(QAccessible::accessibleInterface(notice_));
  notice->message = message;
  if (!QAccessible::isActive()) return;
  QAccessibleEvent shown(notice, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

QString Narrator::LastMessage() const {
  return static_cast<Notice*>(QAccessible::accessibleInterface(notice_))->message;
}

QString Narrator::ChoiceOf(QObject* watched) const {
  if (const auto* box = qobject_cast<QComboBox*>(watched)) return box->currentText();
  if (watched == window_.TB) return StartLaterText(window_.TB->Position());
  return {};
}

const QLineEdit* Narrator::LineOf(QObject* watched) const {
  if (watched == window_.seYears) return window_.seYears->Editor();
  return qobject_cast<QLineEdit*>(watched);
}

QString Narrator::ShownText(QObject* watched) const {
  const QLineEdit* line = LineOf(watched);
  return line ? line->text() : QString();
}

}  // namespace penmarrow::ui
