// The window's controls as a screen reader reaches them through Qt's accessibility: roles, the
// text queries of every field, writes held to the fields' rules, the years' and the slider's
// values, the link, and what the narrator tells after each action.

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleValueInterface>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <optional>

#include "tests/ui/WindowFixture.h"
#include "ui/accessibility/Narrator.h"
#include "ui/accessibility/TextChanges.h"

namespace penmarrow::ui {
namespace {

class AccessibleControls : public WindowFixture {
 protected:
  static QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
  }
  // A screen reader's write is applied from the event loop.
  static void Settle() { QTest::qWait(1); }
};

// A magnifier or a click by position uses the places, which the screen counts in its own pixels.
TEST_F(AccessibleControls, PlacesAreInTheScreensOwnPixels) {
  const qreal ratio = window.devicePixelRatio();
  for (QWidget* control :
       {static_cast<QWidget*>(&window), window.pTop, static_cast<QWidget*>(window.TIntDep),
        static_cast<QWidget*>(window.seYears), static_cast<QWidget*>(window.CDefFreq),
        static_cast<QWidget*>(window.TB), static_cast<QWidget*>(window.chAlternative),
        static_cast<QWidget*>(window.Chart)}) {
    const QRect place(control->mapToGlobal(QPoint(0, 0)) * ratio, control->size() * ratio);
    EXPECT_EQ(Of(control)->rect(), place) << control->metaObject()->className();
    if (control != &window) {  // a tool's hit test by position finds it
      EXPECT_EQ(Of(control->parentWidget())->childAt(place.center().x(), place.center().y()),
                Of(control));
    }
  }
}

// A click, the space bar, an assistive tool's Toggle and code each run the box's handler once.
TEST_F(AccessibleControls, EveryWayOfChangingACheckBoxRunsItsHandlerOnce) {
  const struct {
    const char* name;
    std::function<void(TCheckBox*)> change;
  } ways[] = {{"click",
               [](TCheckBox* box) {
                 QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
               }},
              {"space",
               [](TCheckBox* box) {
                 box->setFocus();
                 QTest::keyClick(box, Qt::Key_Space);
               }},
              {"Toggle",
               [](TCheckBox* box) {
                 Of(box)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
                 Settle();
               }},
              {"code", [](TCheckBox* box) { box->setChecked(!box->isChecked()); }}};
  for (const auto& way : ways) {
    for (int round = 0; round < 2; ++round) {
      EXPECT_EQ(CountRecalculations([&] { way.change(window.chAlternative); }), 1) << way.name;
      const bool on = window.chAlternative->isChecked();
      EXPECT_EQ(Of(window.chAlternative)->state().checked, on) << way.name;
      EXPECT_EQ(window.APanel->isEnabled(), on) << way.name;
      EXPECT_EQ(window.Chart->LegendItems().size(), on ? 6u : 3u) << way.name;
      EXPECT_EQ(window.Chart->Series(AlternativeInterest).Count(), on ? 10 : 0) << way.name;
      way.change(window.chMarks);
      for (const int series : {YourInterest, AlternativeInterest})
        EXPECT_EQ(window.Chart->Series(series).Marks().Visible(), window.chMarks->isChecked())
            << way.name;
    }
  }
}

// Every question of every boundary at every offset of every field is answered inside the text,
// the word at the start of a money field included.
TEST_F(AccessibleControls, EveryTextQueryOfEveryFieldIsAnswered) {
  const QAccessible::TextBoundaryType boundaries[] = {
      QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
      QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};
  for (QWidget* field :
       {static_cast<QWidget*>(window.TIntDep), static_cast<QWidget*>(window.TRegDep),
        static_cast<QWidget*>(window.TAltdep), static_cast<QWidget*>(window.TIntRate),
        static_cast<QWidget*>(window.seYears)}) {
    QAccessibleTextInterface* text = Of(field)->textInterface();
    ASSERT_NE(text, nullptr);
    const int size = text->characterCount();
    const QString whole = text->text(0, -1);
    EXPECT_EQ(whole, Of(field)->text(QAccessible::Value));
    EXPECT_EQ(text->text(0, size), whole);
    for (const auto boundary : boundaries) {
      for (int offset = -1; offset <= size + 1; ++offset) {
        for (const auto query :
             {&QAccessibleTextInterface::textAtOffset, &QAccessibleTextInterface::textBeforeOffset,
              &QAccessibleTextInterface::textAfterOffset}) {
          int start = -2, end = -2;
          const QString piece = (text->*query)(offset, boundary, &start, &end);
          EXPECT_TRUE(0 <= start && start <= end && end <= size)
              << whole.toStdString() << " " << offset;
          EXPECT_EQ(piece, whole.mid(start, end - start));
        }
      }
    }
  }
  // The whole amount is heard, its last character included.
  int start = 0, end = 0;
  QAccessibleTextInterface* deposit = Of(window.TIntDep)->textInterface();
  EXPECT_EQ(deposit->textAtOffset(0, QAccessible::WordBoundary, &start, &end), "$1,000");
  EXPECT_EQ(deposit->textAtOffset(6, QAccessible::LineBoundary, &start, &end), "$1,000");
  EXPECT_EQ(deposit->textAtOffset(5, QAccessible::CharBoundary, &start, &end), "0");
  EXPECT_FALSE(deposit->characterRect(5).isEmpty());
  EXPECT_EQ(deposit->offsetAtPoint(deposit->characterRect(5).center()), 5);
}

// A write through the accessibility interface is held to the rule of pasted text and recalculates.
TEST_F(AccessibleControls, WritesPassTheFieldsRuleAndRecalculate) {
  const struct {
    EntryField field;
    QString written;
    bool accepted;
    QString text;
  } cases[] = {
      {&TFMain::TIntDep, "abc", false, "$1,000"},
      {&TFMain::TIntDep, "1e9", false, "$1,000"},
      {&TFMain::TIntDep, "-5", false, "$1,000"},
      {&TFMain::TIntDep, "2000", true, "2000"},
      {&TFMain::TIntRate, "2.5e-3", false, "5.00"},
      {&TFMain::TIntRate, "99.999", false, "5.00"},
      {&TFMain::TIntRate, "7", true, "7"},
      {&TFMain::TAltdep, "50", false, "$75"},  // its panel is disabled while the alternative is off
  };
  for (const auto& c : cases) {
    TEdit* field = window.*c.field;
    const QString totalBefore = window.Totals1.totalVal->text();
    Of(field)->setText(QAccessible::Value, c.written);
    Settle();
    EXPECT_EQ(field->text(), c.text) << c.written.toStdString();
    EXPECT_EQ(window.Totals1.totalVal->text() != totalBefore, c.accepted)
        << c.written.toStdString();
  }
  EXPECT_EQ(window.Totals1.initialDepVal->text(), "$2,000");

  // The editable text calls build the whole new text and hold it to the same rule.
  QAccessibleEditableTextInterface* edit = Of(window.TRegDep)->editableTextInterface();
  edit->insertText(4, "5");
  Settle();
  EXPECT_EQ(window.TRegDep->text(), "$1005");
  edit->insertText(0, "x");
  edit->replaceText(0, 2, "-");
  Settle();
  EXPECT_EQ(window.TRegDep->text(), "$1005");
  edit->deleteText(2, 5);
  Settle();
  EXPECT_EQ(window.TRegDep->text(), "$1");
  EXPECT_EQ(window.Totals1.regularDepVal->text(), "$10");
}

TEST_F(AccessibleControls, TheYearsFieldReportsTheNumberItCountsAs) {
  QAccessibleValueInterface* years = Of(window.seYears)->valueInterface();
  ASSERT_NE(years, nullptr);
  EXPECT_EQ(years->currentValue().toInt(), 10);
  EXPECT_EQ(years->minimumValue().toInt(), 1);
  EXPECT_EQ(years->maximumValue().toInt(), 50);
  TypeYears("");
  EXPECT_EQ(years->currentValue().toInt(), 1);
  years->setCurrentValue(70);
  Settle();
  EXPECT_EQ(window.seYears->text(), "50");
  Of(window.seYears)->setText(QAccessible::Value, "a7");
  Settle();
  EXPECT_EQ(window.seYears->text(), "50");
  Of(window.seYears)->setText(QAccessible::Value, "7");
  Settle();
  EXPECT_EQ(window.Chart->Series(0).Count(), 7);
  EXPECT_EQ(Of(window.seYears)->childCount(), 0);
}

// What the narrator tells after an action, once the window waits for the next input: what the
// user changed and what followed; once the input pauses, only the totals that changed. A field's
// limit is told the first time it refuses a key for it. Each row starts from a fresh window, where
// what it is given is done, told and paused before its action.
class NarratorTable : public AccessibleControls, public ::testing::WithParamInterface<int> {};
constexpr int NarratorRows = 22;

TEST_P(NarratorTable, TellsWhatTheActionChanged) {
  const auto press = [&](QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    return [=] {
      control->setFocus();
      QTest::keyClick(control, key, modifiers);
    };
  };
  const auto typeAtEnd = [&](TEdit* field, Qt::Key key) {
    return [=] {
      field->setFocus();
      field->end(false);
      QTest::keyClick(field, key);
    };
  };
  const auto then = [](auto... actions) { return [=] { (actions(), ...); }; };
  const auto focusYears = [&] { window.seYears->setFocus(); };
  const auto fiveAtTheEnd = typeAtEnd(window.TIntDep, Qt::Key_5);
  const auto lonePoint = [&] { TypeInto(window.TIntRate, "."); };
  const auto halfAPercent = [&] { TypeInto(window.TIntRate, ".5"); };
  const auto halfAPercentQuarterly = then(halfAPercent, press(window.CDefFreq, Qt::Key_Down));
  const auto alternativeOn = [&] { ClickAlternative(); };
  const auto pastTheDepositsLimit =
      then([&] { TypeInto(window.TIntDep, "999999"); }, typeAtEnd(window.TIntDep, Qt::Key_9));
  const std::function<void()> none;
  const QString unchanged;  // nothing new once the input pauses
  const struct {
    const char* action;
    std::function<void()> given;  // done, told and paused before the action
    std::function<void()> run;
    QString told;
    std::optional<QString> paused;  // none: not checked
  } steps[] = {
      {"5 at the deposit's end", none, fiveAtTheEnd, "$1,0005.",
       "Your strategy: initial deposit $10,005, total interest $6,550, total savings $17,555."},
      {"a letter", fiveAtTheEnd, typeAtEnd(window.TIntDep, Qt::Key_A),
       "letter a not accepted, still $1,0005.", unchanged},
      {"BackSpace", fiveAtTheEnd, typeAtEnd(window.TIntDep, Qt::Key_Backspace), "$1,000.",
       "Your strategy: initial deposit $1,000, total interest $887, total savings $2,887."},
      {"BackSpace at the start", none,
       then(press(window.TIntDep, Qt::Key_Home), press(window.TIntDep, Qt::Key_Backspace)),
       "Nothing to delete, still $1,000.", unchanged},
      {"a lone point in the rate", none, lonePoint, "point.",
       "Your strategy: total interest $0, total savings $2,000."},
      {"a minus in the rate", lonePoint, typeAtEnd(window.TIntRate, Qt::Key_Minus),
       "minus not accepted, still point.", unchanged},
      {"5 after the point", lonePoint, typeAtEnd(window.TIntRate, Qt::Key_5), ".5.",
       "Your strategy: total interest $74, total savings $2,074."},
      {"a deposit frequency", halfAPercent, press(window.CDefFreq, Qt::Key_Down),
       "Quarterly, 2 of 5.",
       "Your strategy: regular deposits $4,000, total interest $142, total savings $5,142."},
      {"the same pick again", halfAPercentQuarterly, [&] { Pick(window.CDefFreq, "Quarterly"); },
       "Your strategy: regular deposits $4,000, total interest $142, total savings $5,142.",
       unchanged},
      {"continuous compounding", halfAPercentQuarterly, press(window.CcompFreq, Qt::Key_End),
       "Continuous, 3 of 3. No deposits for continuous compounding. Use daily compounding for "
       "similar results. Regular deposit and deposit frequency unavailable.",
       "Your strategy: regular deposits $0, total interest $51, total savings $1,051."},
      {"back to annual compounding",
       then(halfAPercentQuarterly, press(window.CcompFreq, Qt::Key_End)),
       press(window.CcompFreq, Qt::Key_Home),
       "Annually, 1 of 3. Regular deposit back to $100, deposit frequency available.",
       "Your strategy: regular deposits $4,000, total interest $142, total savings $5,142."},
      {"quarterly compounding", halfAPercentQuarterly, press(window.CcompFreq, Qt::Key_Down),
       "Quarterly, 2 of 3.", "Your strategy: total interest $150, total savings $5,150."},
      {"a compound frequency no longer offered",
       then(halfAPercentQuarterly, press(window.CcompFreq, Qt::Key_Down)),
       press(window.CDefFreq, Qt::Key_Up),
       "Annually, 1 of 5. Compound frequency changed to Continuous.",
       "Your strategy: regular deposits $100, total interest $51, total savings $1,151."},
      {"the alternative switched on", none, alternativeOn, "Alternative strategy inputs available.",
       "Your strategy: total savings $2,887. Alternative strategy: total savings $2,572. Your "
       "strategy ends $315 higher."},
      {"a later start", alternativeOn, press(window.TB, Qt::Key_End), "Start 9 years later.",
       "Alternative strategy: regular deposits $75, total interest $50, total savings $1,125."},
      {"fewer years than the start", then(alternativeOn, press(window.TB, Qt::Key_End)),
       then(focusYears, [&] { TypeYears("3"); }), "3 years. Start pulled back to 2 years later.",
       "Your strategy: regular deposits $300, total interest $173, total savings $1,473."},
      {"the totals key", alternativeOn, press(window.TIntDep, Qt::Key_T, Qt::ControlModifier),
       "After 10 years. Your strategy: initial deposit $1,000, regular deposits $1,000, total "
       "interest $887, total savings $2,887. Alternative strategy: initial deposit $1,000, regular "
       "deposits $750, total interest $822, total savings $2,572. Your strategy ends $315 higher.",
       unchanged},
      {"the alternative switched off", alternativeOn, alternativeOn,
       "Alternative strategy inputs unavailable.", unchanged},
      {"a caret move", fiveAtTheEnd, press(window.TIntDep, Qt::Key_Left),
       "Your strategy: initial deposit $10,005, total interest $6,550, total savings $17,555.",
       unchanged},
      {"a deposit past its limit", none, pastTheDepositsLimit,
       "9 not accepted, at most $999,999, still 999999.", std::nullopt},
      {"past it once more", pastTheDepositsLimit, typeAtEnd(window.TIntDep, Qt::Key_9),
       "9 not accepted, still 999999.", unchanged},
      {"the years past theirs", none, then(focusYears, [&] { TypeYears("60"); }),
       "60 not accepted, at most 50 years, now 50 years.", std::nullopt},
  };
  ASSERT_EQ(std::size(steps), std::size_t{NarratorRows});
  const auto& step = steps[GetParam()];
  Narration().SetTotalsPause(std::numeric_limits<int>::max());  // the row pauses below
  if (step.given) {
    step.given();
    Told();
    Narration().InputPaused();
  }
  step.run();
  const QString told = Told();
  EXPECT_EQ(told.toStdString(), step.told.toStdString()) << step.action;
  Narration().InputPaused();
  if (!step.paused) return;
  EXPECT_EQ(Narration().LastMessage().toStdString(),
            (step.paused->isEmpty() ? told : *step.paused).toStdString())
      << step.action << ", once the input paused";
}
INSTANTIATE_TEST_SUITE_P(Rows, NarratorTable, ::testing::Range(0, NarratorRows));

// Opened from the keyboard, the chart's menu stands on its first command and says what it holds;
// a command done is confirmed.
TEST_F(AccessibleControls, TheChartMenuOpensOnItsFirstCommandAndConfirmsIt) {
  QString toldWhileOpen;
  const QAction* ready = nullptr;
  QTimer::singleShot(50, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    ready = menu->activeAction();
    toldWhileOpen = Narration().LastMessage();
    QTest::keyClick(menu, Qt::Key_Return);
  });
  window.Chart->setFocus();
  QTest::keyClick(window.Chart, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(ready, window.miCopyFigures);
  EXPECT_EQ(toldWhileOpen.toStdString(),
            "Menu: Copy figures, Copy chart, Save plan, Open plan, Print.");
  EXPECT_EQ(Told().toStdString(), "Figures of 10 years copied.");
}

// The slider reports its place within its range, which a reader may set; the link is a link a
// reader can follow.
TEST_F(AccessibleControls, TheSliderAndTheLinkAnswerAReader) {
  QAccessibleValueInterface* start = Of(window.TB)->valueInterface();
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->maximumValue().toInt(), 9);
  start->setCurrentValue(4);
  Settle();
  EXPECT_EQ(window.TB->Position(), 0);  // its panel is disabled while the alternative is off
  ClickAlternative();
  start->setCurrentValue(4);
  Settle();
  EXPECT_EQ(window.TB->Position(), 4);
  EXPECT_EQ(window.lStartLater->text(), "4 years");
  EXPECT_EQ(start->currentValue().toInt(), 4);

  QAccessibleInterface* link = Of(window.LinkLabel);
  EXPECT_EQ(link->role(), QAccessible::Link);
  EXPECT_EQ(link->text(QAccessible::Name), "Link to penmarrow.example.org");
  QString followed;
  window.LinkLabel->OnLinkClick = [&](const QString& target) { followed = target; };
  link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  Settle();
  EXPECT_EQ(followed, TFMain::MakerAddress());
}

// A whole-text write is reported as the characters that changed: BackSpace removes one "0".
TEST(TextChanges, NarrowToTheCharactersThatChanged) {
  const struct {
    QString before;
    QString after;
    int position;
    QString removed;
    QString inserted;
  } cases[] = {
      {"$1,000", "$1,00", 5, "0", ""},
      {"$1,000", "$1,0005", 6, "", "5"},
      {"$1,0005", "$10,005", 2, ",0", "0,"},
      {"", "5.00", 0, "", "5.00"},
      {"aaa", "aa", 2, "a", ""},
      {"$75", "$75", 3, "", ""},
      {"$1,000", "$2,000", 1, "1", "2"},
  };
  for (const auto& c : cases) {
    const TextChange change = ChangeBetween(c.before, c.after);
    EXPECT_EQ(change.position, c.position)
        << c.before.toStdString() << " → " << c.after.toStdString();
    EXPECT_EQ(change.removed, c.removed) << c.before.toStdString();
    EXPECT_EQ(change.inserted, c.inserted) << c.before.toStdString();
  }
}

}  // namespace
}  // namespace penmarrow::ui
