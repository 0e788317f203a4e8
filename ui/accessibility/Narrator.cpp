#include "ui/accessibility/Narrator.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

#include "core/KeyEdit.h"
#include "core/MoneyText.h"
#include "core/RateText.h"
#include "ui/TotalsPanel.h"
#include "ui/accessibility/ControlNames.h"
#include "ui/accessibility/SpokenText.h"
#include "ui/accessibility/TextChanges.h"
#include "ui/platform/Controls.h"
#include "ui/platform/Edit.h"
#include "ui/platform/QtText.h"
#include "ui/platform/SpinEdit.h"

namespace penmarrow::ui {
namespace {

constexpr FigureChoice TotalOnly{false, false, false, true};

// What a refused candidate would have done to the field's text: "letter a", "deleting 5".
QString WhatWouldChange(const QString& before, const QString& candidate) {
  const TextChange change = ChangeBetween(before, candidate);
  const auto inWords = [](const QString& text) {
    return text.size() == 1 ? SpokenCharacter(text.front()) : text;
  };
  if (!change.inserted.isEmpty()) return inWords(change.inserted);
  return QStringLiteral("deleting ") + inWords(change.removed);
}

QString NotAccepted(const QString& what, const QString& text, const QString& limit = {}) {
  return QStringLiteral("%1 not accepted%2, still %3").arg(what, limit, SpokenText(text));
}

// The limit a refused candidate went past, or none when it was refused for another reason (an
// unreadable or too long text).
QString LimitPassed(const QString& candidate, FieldRule rule) {
  if (rule == FieldRule::Money)
    return MoneyToInt64(View(candidate), 0) > MoneyLimit ? SpokenMoneyLimit() : QString();
  return RateToFloat(View(candidate), 0) > RateLimit ? SpokenRateLimit() : QString();
}

// Each total's value named with its strategy and caption: "Your strategy, total savings, $2,887".
void NameTotals(const TotalsPanel& totals) {
  for (const auto& [caption, value] : totals.Rows())
    value->setAccessibleName(Spoken(totals.heading->text(), caption->text(), value->text()));
}

}  // namespace

Narrator::Narrator(QWidget& window, std::initializer_list<QComboBox*> choices, TSpinEdit& years)
    : QObject(&window), window_(window), announcer_(window) {
  for (QComboBox* box : choices) WatchPicks(box);
  connect(years.Editor(), &QLineEdit::textChanged, this, [this, &years](const QString& text) {
    // A text the change handler has rewritten meanwhile was told with its rewrite.
    if (text == years.text()) YearsShown(years);
  });
  auto* totalsKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), &window);
  connect(totalsKey, &QShortcut::activated, this, &Narrator::SayTotals);
  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), &window);
  connect(helpKey, &QShortcut::activated, this, [this] { Say(KeysHelp()); });
  totalsPause_.setSingleShot(true);
  totalsPause_.setInterval(1000);
  connect(&totalsPause_, &QTimer::timeout, this, &Narrator::InputPaused);
  // All that one input brought is told together, once the window waits for the next one.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &Narrator::Flush);
}

void Narrator::WatchPicks(QComboBox* box) {
  // Qt 6.8's open list reports a pick made with Return twice; a pick that changed nothing is not
  // news. Workaround for that Qt 6.8 report; goes once a Qt built with reports a pick once.
  connect(box, &QComboBox::currentIndexChanged, this, [this, box] { choiceChanged_[box] = true; });
  connect(box, &QComboBox::activated, this, [this, box] {
    if (std::exchange(choiceChanged_[box], false)) Tell(own_, box, SpokenChoice(*box));
  });
}

void Narrator::Tell(std::vector<News>& list, const QObject* source, QString phrase) {
  pending_ = true;
  for (News& news : list) {
    if (news.source != source) continue;
    news.phrase = std::move(phrase);
    return;
  }
  list.push_back({source, std::move(phrase)});
}

QString Narrator::LimitOnce(const QObject& field, const QString& limit) {
  if (limit.isEmpty() || limitTold_.contains(&field)) return {};
  limitTold_.insert(&field);
  return QStringLiteral(", ") + limit;
}

void Narrator::Accepted(const TEdit& field, const QString& text) {
  // BackSpace at the start or Delete at the end writes the same text again.
  const bool same = text == field.text();
  Tell(own_, &field,
       same ? QStringLiteral("Nothing to delete, still %1").arg(SpokenText(text))
            : SpokenText(text));
}

void Narrator::Refused(const TEdit& field, const QString& candidate, FieldRule rule) {
  Tell(own_, &field,
       NotAccepted(WhatWouldChange(field.text(), candidate), field.text(),
                   LimitOnce(field, LimitPassed(candidate, rule))));
}

void Narrator::Refused(const TEdit& field, char16_t key) {
  // Enter, Escape and the like are no characters a field could take.
  if (!QChar(key).isPrint()) return;
  Tell(own_, &field, NotAccepted(SpokenCharacter(QChar(key)), field.text()));
}

void Narrator::YearsRewritten(const QString& typed) { rewrittenYears_ = typed; }

void Narrator::YearsShown(const TSpinEdit& years) {
  const QString typed = std::exchange(rewrittenYears_, QString());
  if (!years.hasFocus() && typed.isEmpty()) return;
  const QString shown = SpokenYears(std::clamp(years.Value(), years.MinValue(), years.MaxValue()));
  if (typed.isEmpty()) return Tell(own_, &years, shown);
  const QString limit = years.Value() == years.MaxValue()
                            ? QStringLiteral("at most ") + SpokenYears(years.MaxValue())
                            : QStringLiteral("at least ") + SpokenYears(years.MinValue());
  Tell(own_, &years,
       QStringLiteral("%1 not accepted%2, now %3").arg(typed, LimitOnce(years, limit), shown));
}

void Narrator::CompoundFrequencyForced(const QLabel& caption, const QComboBox& choice) {
  Tell(followed_, &choice,
       QStringLiteral("%1 changed to %2").arg(SpokenCaption(caption.text()), choice.currentText()));
}

void Narrator::ContinuousModeEntered(const QString& notice, const QLabel& deposit,
                                     const QLabel& frequency) {
  continuous_ = true;
  // Told under the deposit's caption, so that leaving the mode at once replaces the news.
  Tell(followed_, &deposit,
       QString(notice).replace(QStringLiteral("\r\n"), QStringLiteral(" ")) +
           QStringLiteral(" %1 and %2 unavailable")
               .arg(SpokenCaption(deposit.text()), SpokenCaption(frequency.text()).toLower()));
}

void Narrator::ContinuousModeLeft(const QLabel& deposit, const QString& restored,
                                  const QLabel& frequency) {
  if (!std::exchange(continuous_, false)) return;
  Tell(followed_, &deposit,
       QStringLiteral("%1 back to %2, %3 available")
           .arg(SpokenCaption(deposit.text()), SpokenText(restored),
                SpokenCaption(frequency.text()).toLower()));
}

void Narrator::StartLaterMoved(const TTrackBar& slider) {
  const QString later = SpokenYears(slider.Position()) + QStringLiteral(" later");
  if (slider.hasFocus())
    Tell(own_, &slider, QStringLiteral("Start ") + later);
  else
    Tell(followed_, &slider, QStringLiteral("Start pulled back to ") + later);
}

void Narrator::AlternativeSwitched(const QWidget& inputs, bool on) {
  compare_ = on;
  Tell(
      followed_, &inputs,
      QStringLiteral("%1 inputs %2")
          .arg(StrategyNames[1], on ? QStringLiteral("available") : QStringLiteral("unavailable")));
}

void Narrator::RecalculationStarted() {
  for (std::optional<ShownTotals>& totals : shown_)
    if (totals) totals->current = false;
}

void Narrator::TotalsShown(std::size_t strategy, const TotalsPanel& totals,
                           const YearFigures& figures, int years) {
  NameTotals(totals);
  // Totals never told yet are what the window showed before: what changes is told against them.
  if (!spoken_[strategy] && shown_[strategy]) spoken_[strategy] = shown_[strategy]->figures;
  shown_[strategy] = ShownTotals{figures, years, true};
  pending_ = true;
}

void Narrator::AlternativeTotalsShown(bool shown) {
  // A failed recalculation may show the alternative's panel with the totals it last had: they stay
  // known, to be told as from before the error.
  alternativeShown_ = shown;
  if (!shown) spoken_[1].reset();
}

const Narrator::ShownTotals* Narrator::Told(std::size_t strategy) const {
  const bool panelShown = strategy == 0 || alternativeShown_;
  return panelShown && shown_[strategy] ? &*shown_[strategy] : nullptr;
}

void Narrator::MenuOpened(const QMenu& menu) {
  QStringList commands;
  for (const QAction* action : menu.actions())
    if (!action->isSeparator()) commands << action->iconText();  // without its mnemonic marks
  Tell(followed_, &menu, QStringLiteral("Menu: ") + commands.join(QStringLiteral(", ")));
}

void Narrator::FiguresCopied(const QAction& command, std::size_t years) {
  Tell(followed_, &command,
       QStringLiteral("Figures of %1 copied").arg(SpokenYears(static_cast<int>(years))));
}

void Narrator::ChartCopied(const QAction& command) {
  Tell(followed_, &command, QStringLiteral("Chart copied as a picture"));
}

void Narrator::LinkFollowed(const QString& shownAddress) {
  Tell(followed_, this,
       QStringLiteral("Opening %1 in the browser").arg(SpokenAddress(shownAddress)));
}

void Narrator::PlanNews(const QString& news) { Tell(own_, &window_, news); }

void Narrator::SayTotals() {
  QStringList told;
  std::optional<std::pair<bool, int>> heading;  // whether current, and after how many years
  for (const bool current : {true, false})
    for (std::size_t strategy = 0; strategy < shown_.size(); ++strategy) {
      const ShownTotals* totals = Told(strategy);
      if (!totals || totals->current != current) continue;
      if (heading != std::pair(current, totals->years)) {
        heading = std::pair(current, totals->years);
        const QString after = QStringLiteral("fter ") + SpokenYears(totals->years);
        told << (current ? u'A' + after
                         : QStringLiteral("Totals from before the error, a") + after);
      }
      told << SpokenFigures(strategy, totals->figures);
    }
  if (BothCurrent()) told << SpokenComparison(Told(0)->figures, Told(1)->figures);
  if (told.isEmpty()) return;
  // Everything is told now: the totals that changed need not follow.
  totalsPause_.stop();
  compare_ = false;
  AllTotalsTold();
  Say(told.join(QStringLiteral(". ")) + u'.');
}

void Narrator::Flush() {
  if (!std::exchange(pending_, false)) return;
  QStringList parts;
  for (const std::vector<News>* list : {&own_, &followed_})
    for (const News& news : *list) parts << news.phrase;
  own_.clear();
  followed_.clear();
  if (!parts.isEmpty()) Say(parts.join(QStringLiteral(". ")) + u'.');
  totalsPause_.start();  // the totals that changed wait until the input pauses
}

void Narrator::InputPaused() {
  totalsPause_.stop();
  // An error box speaks for itself; the totals wait until the window is active again.
  if (QApplication::activeWindow() && QApplication::activeWindow() != &window_) {
    totalsPause_.start();
    return;
  }
  const QString news = TotalsNews();
  if (!news.isEmpty()) Say(news + u'.');
}

QString Narrator::TotalsNews() {
  QStringList news;
  if (std::exchange(compare_, false) && BothCurrent()) {
    news << SpokenFigures(0, Told(0)->figures, TotalOnly)
         << SpokenFigures(1, Told(1)->figures, TotalOnly)
         << SpokenComparison(Told(0)->figures, Told(1)->figures);
  } else {
    for (std::size_t strategy = 0; strategy < shown_.size(); ++strategy) {
      // Totals not told before are the start's, which the window shows already.
      if (!Told(strategy) || !spoken_[strategy]) continue;
      const auto now = Told(strategy)->figures.Shown();
      const auto before = spoken_[strategy]->Shown();
      FigureChoice changed{};
      for (std::size_t i = 0; i < now.size(); ++i)
        changed[i] = SpokenAmount(now[i]) != SpokenAmount(before[i]);
      if (std::find(changed.begin(), changed.end(), true) != changed.end())
        news << SpokenFigures(strategy, Told(strategy)->figures, changed);
    }
  }
  AllTotalsTold();
  return news.join(QStringLiteral(". "));
}

void Narrator::AllTotalsTold() {
  for (std::size_t strategy = 0; strategy < shown_.size(); ++strategy)
    spoken_[strategy] = Told(strategy) ? std::optional(Told(strategy)->figures) : std::nullopt;
}

void Narrator::Say(const QString& message) {
  lastMessage_ = message;
  announcer_.Say(message);
}

}  // namespace penmarrow::ui
