#pragma once
// Tells a screen reader's user what a key did where the screen shows it silently: an entry field's
// new text and the new totals after an accepted key, that a key was refused, a frequency box's new
// choice, and the new totals after any other input changed them. Qt 6.4 has no announcement call
// and sends a changed description without its text, so each message appears as a notification,
// which screen readers speak when it shows.

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;

namespace penmarrow::ui {

class TFMain;

class Narrator : public QObject {
 public:
  explicit Narrator(TFMain& window);
  ~Narrator() override;

  // Every total of each shown strategy, as one sentence per strategy.
  QString SpokenTotals() const;
  void Announce(const QString& message);
  QString LastMessage() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void KeyPressed(QObject* watched, const QString& typed, int key);
  void KeyReleased(QObject* watched);
  QString ChoiceOf(QObject* watched) const;
  const QLineEdit* LineOf(QObject* watched) const;
  QString ShownText(QObject* watched) const;

  TFMain& window_;
  QPointer<QObject> pressedIn_;
  QString textBefore_;
  QString totalsBefore_;
  QString keyName_;  // empty for a key that edits nothing
  QString choiceBefore_;
  unsigned notice_;  // id of the notification's accessible interface
};

}  // namespace penmarrow::ui
