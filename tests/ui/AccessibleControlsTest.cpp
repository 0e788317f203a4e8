// The window's controls as a screen reader reaches them through Qt's accessibility: roles, the
// text queries of every field, writes held to the fields' rules, the years' value, and what the
// narrator tells after keys.

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleValueInterface>

#include "tests/ui/WindowFixture.h"
#include "ui/accessibility/Narrator.h"
#include "ui/accessibility/TextChanges.h"

namespace penmarrow::ui {
namespace {

class AccessibleControls : public WindowFixture {
 protected:
  static QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
  Narrator& Narration() {
    for (QObject* child : window.children())
      if (auto* narrator = dynamic_cast<Narrator*>(child)) return *narrator;
    throw std::logic_error("the window has no narrator");
  }
  // A screen reader's write is applied from the event loop.
  static void Settle() { QTest::qWait(1); }
};

TEST_F(AccessibleControls, TheWindowIsAWindowAndItsContainersArePanels) {
  EXPECT_EQ(Of(&window)->role(), QAccessible::Window);
  for (QWidget* panel : {window.pTop, window.pInputValues, window.Panel1, static_cast<QWidget*>(window.APanel),
                         static_cast<QWidget*>(window.gpStats), static_cast<QWidget*>(window.Totals1.panel)})
    EXPECT_EQ(Of(panel)->role(), QAccessible::Pane) << panel->objectName().toStdString();
  EXPECT_EQ(Of(window.TIntDep)->role(), QAccessible::EditableText);
  EXPECT_EQ(Of(window.seYears)->role(), QAccessible::SpinBox);
}

// A magnifier or a click by position uses the places, which the screen counts in its own pixels.
TEST_F(AccessibleControls, PlacesAreInTheScreensOwnPixels) {
  const qreal ratio = window.devicePixelRatio();
  for (QWidget* control : {static_cast<QWidget*>(&window), window.pTop, static_cast<QWidget*>(window.TIntDep),
                           static_cast<QWidget*>(window.seYears), static_cast<QWidget*>(window.CDefFreq),
                           static_cast<QWidget*>(window.TB), static_cast<QWidget*>(window.chAlternative),
                           static_cast<QWidget*>(window.Chart)}) {
    const QRect place(control->mapToGlobal(QPoint(0, 0)) * ratio, control->size() * ratio);
    EXPECT_EQ(Of(control)->rect(), place) << control->metaObject()->className();
    if (control != &window) {  // a tool's hit test by position finds it
      EXPECT_EQ(Of(control->parentWidget())->childAt(place.center().x(), place.center().y()), Of(control));
    }
  }
}

// A click, the space bar, an assistive tool's Toggle and code each run the box's handler once.
TEST_F(AccessibleControls, EveryWayOfChangingACheckBoxRunsItsHandlerOnce) {
  const struct {
    const char* name;
    std::function<void(TCheckBox*)> change;
  } ways[] = {
      {"click", [](TCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2)); }},
      {"space", [](TCheckBox* box) {
         box->setFocus();
         QTest::keyClick(box, Qt::Key_Space);
       }},
      {"Toggle", [](TCheckBox* box) {
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
      EXPECT_EQ(window.Chart->Series(5).Count(), on ? 10 : 0) << way.name;
      way.change(window.chMarks);
      for (const int series : {2, 5})
        EXPECT_EQ(window.Chart->Series(series).Marks().Visible(), window.chMarks->isChecked()) << way.name;
    }
  }
}

// Every question of every boundary at every offset of every field is answered inside the text,
// the word at the start of a money field included.
TEST_F(AccessibleControls, EveryTextQueryOfEveryFieldIsAnswered) {
  const QAccessible::TextBoundaryType boundaries[] = {QAccessible::CharBoundary,      QAccessible::WordBoundary,
                                                      QAccessible::SentenceBoundary,  QAccessible::ParagraphBoundary,
                                                      QAccessible::LineBoundary,      QAccessible::NoBoundary};
  for (QWidget* field : {static_cast<QWidget*>(window.TIntDep), static_cast<QWidget*>(window.TRegDep),
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
        for (const auto query : {&QAccessibleTextInterface::textAtOffset, &QAccessibleTextInterface::textBeforeOffset,
                                 &QAccessibleTextInterface::textAfterOffset}) {
          int start = -2, end = -2;
          const QString piece = (text->*query)(offset, boundary, &start, &end);
          EXPECT_TRUE(0 <= start && start <= end && end <= size) << whole.toStdString() << " " << offset;
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
    TEdit* TFMain::*field;
    QString written;
    bool accepted;
    QString text;
  } cases[] = {
      {&TFMain::TIntDep, "abc", false, "$1,000"},  {&TFMain::TIntDep, "1e9", false, "$1,000"},
      {&TFMain::TIntDep, "-5", false, "$1,000"},
      {&TFMain::TIntDep, "2000", true, "2000"},    {&TFMain::TIntRate, "2.5e-3", false, "5.00"},
      {&TFMain::TIntRate, "99.999", false, "5.00"}, {&TFMain::TIntRate, "7", true, "7"},
      {&TFMain::TAltdep, "50", false, "$75"},  // its panel is disabled while the alternative is off
  };
  for (const auto& c : cases) {
    TEdit* field = window.*c.field;
    const QString totalBefore = window.Totals1.totalVal->text();
    Of(field)->setText(QAccessible::Value, c.written);
    Settle();
    EXPECT_EQ(field->text(), c.text) << c.written.toStdString();
    EXPECT_EQ(window.Totals1.totalVal->text() != totalBefore, c.accepted) << c.written.toStdString();
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

// After each key the narrator tells what the screen shows: the new text and totals, or a refusal.
TEST_F(AccessibleControls, TheNarratorTellsWhatEachKeyDid) {
  window.TIntDep->setFocus();
  window.TIntDep->end(false);
  QTest::keyClick(window.TIntDep, Qt::Key_5);
  EXPECT_EQ(Narration().LastMessage(),
            "$1,0005. Your strategy: initial deposit $10,005, regular deposits $1,000, total interest $6,550, "
            "total savings $17,555.");
  QTest::keyClick(window.TIntDep, Qt::Key_A);
  EXPECT_EQ(Narration().LastMessage(), "a not accepted, still $1,0005");
  QTest::keyClick(window.TIntDep, Qt::Key_Left);
  EXPECT_EQ(Narration().LastMessage(), "a not accepted, still $1,0005");  // a caret move tells nothing

  window.CDefFreq->setFocus();
  QTest::keyClick(window.CDefFreq, Qt::Key_Down);
  EXPECT_TRUE(Narration().LastMessage().startsWith("Quarterly. Your strategy: initial deposit $10,005"));
  ClickAlternative();
  window.TB->setFocus();
  QTest::keyClick(window.TB, Qt::Key_Right);
  EXPECT_TRUE(Narration().LastMessage().startsWith("1 years. Your strategy:"));
  EXPECT_TRUE(Narration().LastMessage().contains(". Alternative strategy: initial deposit $10,005"));
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
      {"$1,000", "$1,00", 5, "0", ""},      {"$1,000", "$1,0005", 6, "", "5"}, {"$1,0005", "$10,005", 2, ",0", "0,"},
      {"", "5.00", 0, "", "5.00"},          {"aaa", "aa", 2, "a", ""},         {"$75", "$75", 3, "", ""},
      {"$1,000", "$2,000", 1, "1", "2"},
  };
  for (const auto& c : cases) {
    const TextChange change = ChangeBetween(c.before, c.after);
    EXPECT_EQ(change.position, c.position) << c.before.toStdString() << " → " << c.after.toStdString();
    EXPECT_EQ(change.removed, c.removed) << c.before.toStdString();
    EXPECT_EQ(change.inserted, c.inserted) << c.before.toStdString();
  }
}

}  // namespace
}  // namespace penmarrow::ui
