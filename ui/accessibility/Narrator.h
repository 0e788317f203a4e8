#pragma once
// Tells a screen reader's user what the screen shows silently. The window's parts call it where
// they decide, with what changed: a key rule accepts or refuses a key, the program changes an input
// the user did not touch, Recalculate shows new totals, a menu opens, a copy is made. What one
// action brought is gathered and told once the window waits for the next input: first what the user
// changed, then what followed from it. The totals that changed wait until the input pauses, so that
// typing hears each key's figure alone; the totals key tells them all at any time.

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <array>
#include <initializer_list>
#include <optional>
#include <vector>

#include "ui/YearFigures.h"
#include "ui/accessibility/Announcer.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QWidget;

namespace penmarrow::ui {

class TEdit;
class TSpinEdit;
class TTrackBar;
struct TotalsPanel;

// The rule of a field that refused a key, whose limit is told the first time it refuses one.
enum class FieldRule { Money, Rate };

class Narrator : public QObject {
 public:
  // It listens to the frequency choices' picks and the years field itself.
  Narrator(QWidget& window, std::initializer_list<QComboBox*> choices, TSpinEdit& years);
  // How long the input must pause before the totals that changed are told; a second at first.
  void SetTotalsPause(int milliseconds) { totalsPause_.setInterval(milliseconds); }

  // A key rule wrote the candidate text, or refused it; a character the field never takes.
  void Accepted(const TEdit& field, const QString& text);
  void Refused(const TEdit& field, const QString& candidate, FieldRule rule);
  void Refused(const TEdit& field, char16_t key);
  // Changes the program makes on its own; years typed out of range are about to be rewritten.
  void YearsRewritten(const QString& typed);
  void CompoundFrequencyForced(const QLabel& caption, const QComboBox& choice);
  // The regular deposit's and its frequency's captions name what continuous compounding blocks.
  void ContinuousModeEntered(const QString& notice, const QLabel& deposit, const QLabel& frequency);
  void ContinuousModeLeft(const QLabel& deposit, const QString& restored, const QLabel& frequency);
  void StartLaterMoved(const TTrackBar& slider);
  void AlternativeSwitched(const QWidget& inputs, bool on);
  // A recalculation begins: until it shows them anew, the totals on screen are from before it.
  void RecalculationStarted();
  void TotalsShown(std::size_t strategy, const TotalsPanel& totals, const YearFigures& figures,
                   int years);
  void AlternativeTotalsShown(bool shown);
  // The chart's menu and its commands.
  void MenuOpened(const QMenu& menu);
  void FiguresCopied(const QAction& command, std::size_t years);
  void ChartCopied(const QAction& command);
  void LinkFollowed(const QString& shownAddress);
  // A plan saved, opened or printed.
  void PlanNews(const QString& news);

  // The last year's totals of every shown strategy, asked for with a key; those left from before a
  // failed recalculation are said to be so, and figures of two inputs are never compared.
  void SayTotals();
  // The input has paused: the totals that changed are told.
  void InputPaused();
  QString LastMessage() const { return lastMessage_; }

 private:
  struct News {
    const QObject* source;
    QString phrase;
  };
  // A strategy's totals as the window shows them, and whether the last recalculation wrote them.
  struct ShownTotals {
    YearFigures figures;
    int years;
    bool current;
  };
  void WatchPicks(QComboBox* box);
  void YearsShown(const TSpinEdit& years);
  void Tell(std::vector<News>& list, const QObject* source, QString phrase);
  // ", at most $999,999" the first time a field refuses a key for its limit.
  QString LimitOnce(const QObject& field, const QString& limit);
  void Flush();
  QString TotalsNews();
  void AllTotalsTold();
  void Say(const QString& message);

  QWidget& window_;
  Announcer announcer_;
  std::vector<News> own_;       // what the user changed
  std::vector<News> followed_;  // what the program changed in turn
  bool pending_ = false;        // something to tell since the last time
  bool compare_ = false;        // the alternative just came on: both totals and which is higher
  bool continuous_ = false;     // continuous compounding mode is on
  QTimer totalsPause_;          // runs from the last input told until the totals that changed
  std::array<std::optional<ShownTotals>, 2> shown_;   // each strategy's, as its panel shows them
  std::array<std::optional<YearFigures>, 2> spoken_;  // ... and as last told
  bool alternativeShown_ = false;                     // its panel is shown
  // A strategy's totals while its panel is shown, else null.
  const ShownTotals* Told(std::size_t strategy) const;
  bool BothCurrent() const { return Told(0) && Told(1) && Told(0)->current && Told(1)->current; }
  QHash<const QComboBox*, bool> choiceChanged_;  // since the box's last pick
  QSet<const QObject*> limitTold_;               // the fields whose limit was told
  QString rewrittenYears_;  // typed out of range, until the years field shows its rewrite
  QString lastMessage_;
};

}  // namespace penmarrow::ui
