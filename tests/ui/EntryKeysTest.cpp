// Typing into the money and rate fields on the real window: each key goes through its field's rule.

#include <QApplication>
#include <QClipboard>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

class EntryKeys : public WindowFixture {
 protected:
  // Puts the caret at `caret` (or selects all for -1) and types the keys.
  void Type(TEdit* field, int caret, const QString& keys) {
    field->setFocus();
    caret < 0 ? field->selectAll() : field->setCursorPosition(caret);
    QTest::keyClicks(field, keys);
  }
  QString Total() const { return window.Totals1.totalVal->text(); }
};

TEST_F(EntryKeys, DigitAtTheEndRecalculatesBeforeTheCaretIsPlaced) {
  Type(window.TIntDep, 6, QStringLiteral("5"));
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,0005"));
  EXPECT_EQ(window.TIntDep->cursorPosition(), 7);
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$10,005"));
  window.TRegDep->setFocus();  // leaving rewrites the field as currency
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$10,005"));
}

TEST_F(EntryKeys, RefusedKeysLeaveNoTrace) {
  struct Case {
    EntryField field;
    QString start;
    int caret;
    QString keys;
  };
  const Case cases[] = {
      {&TFMain::TIntDep, QStringLiteral("$100,000"), 8, QStringLiteral("1")},  // over 999,999
      {&TFMain::TIntDep, QStringLiteral("$1,000"), 6, QStringLiteral("a-., ")},
      {&TFMain::TIntDep, QStringLiteral("$5"), 2, QStringLiteral("\b")},  // "$" alone does not read
      {&TFMain::TIntRate, QStringLiteral("5.001"), 5, QStringLiteral("2")},  // six characters
      {&TFMain::TIntRate, QStringLiteral("99"), 2, QStringLiteral("9")},
      {&TFMain::TIntRate, QStringLiteral("5.5"), 3, QStringLiteral(".")},
      {&TFMain::TIntRate, QStringLiteral("5.00"), 4, QStringLiteral("e+-, ")},
  };
  for (const Case& c : cases) {
    TEdit* field = window.*c.field;
    field->SetTextAndNotify(c.start);
    const QString total = Total();
    Type(field, c.caret, c.keys);
    EXPECT_EQ(field->text(), c.start) << c.keys.toStdString();
    EXPECT_EQ(field->cursorPosition(), c.caret) << c.keys.toStdString();
    EXPECT_EQ(Total(), total);
  }
}

TEST_F(EntryKeys, BackspaceAndDeleteAtTheEnds) {
  Type(window.TIntDep, 0, QStringLiteral("\b"));
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"));
  EXPECT_EQ(window.TIntDep->cursorPosition(), 0);
  window.TIntDep->setCursorPosition(1);
  QTest::keyClick(window.TIntDep, Qt::Key_Delete);
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$,000"));
  EXPECT_EQ(window.TIntDep->cursorPosition(), 1);
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$0"));
  window.TIntDep->selectAll();
  QTest::keyClick(window.TIntDep, Qt::Key_Delete,
                  Qt::ShiftModifier);  // Shift+Delete acts as Delete
  EXPECT_EQ(window.TIntDep->text(), QString());
}

TEST_F(EntryKeys, RateFieldAcceptsADecimalSeparatorAloneAndRewritesOnLeaving) {
  Type(window.TIntRate, -1, QStringLiteral("."));
  EXPECT_EQ(window.TIntRate->text(), QStringLiteral("."));
  EXPECT_EQ(window.Totals1.totalIntVal->text(), QStringLiteral("$0"));
  window.TIntDep->setFocus();
  EXPECT_EQ(window.TIntRate->text(), QStringLiteral("0.00"));
  Type(window.TIntRate, -1, QStringLiteral("2.675"));
  window.TIntDep->setFocus();
  EXPECT_EQ(window.TIntRate->text(), QStringLiteral("2.68"));
}

TEST_F(EntryKeys, ControlKeysAndOtherShortcutsNeverReachTheField) {
  QApplication::clipboard()->setText(QStringLiteral("7"));
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
  };
  const Case cases[] = {
      {Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a")},
      {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")},
      {Qt::Key_Backspace, Qt::ControlModifier, QStringLiteral("\x7f")},
      {Qt::Key_Backspace, Qt::AltModifier, QStringLiteral("\b")},
      {Qt::Key_5, Qt::AltModifier, QStringLiteral("5")},
      {Qt::Key_5, Qt::MetaModifier, QStringLiteral("5")},
      {Qt::Key_5, Qt::ControlModifier, QStringLiteral("5")},
  };
  for (const Case& c : cases) {
    window.TIntDep->setCursorPosition(6);
    QTest::sendKeyEvent(QTest::Click, window.TIntDep, c.key, c.text, c.modifiers);
    EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"))
        << c.key << " " << c.modifiers.toInt();
  }
  QTest::sendKeyEvent(QTest::Click, window.TIntDep, Qt::Key_Backspace, QStringLiteral("\b"),
                      Qt::ShiftModifier);
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,00"));  // Shift makes no shortcut
}

// The keys the edit menu shows run its commands, through the same test of the whole text.
TEST_F(EntryKeys, TheEditKeysRunTheMenusCommands) {
  const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, char16_t control = 0) {
    QTest::sendKeyEvent(QTest::Click, window.TIntDep, key,
                        control ? QString(QChar(control)) : QString(), modifiers);
  };
  window.TIntDep->setFocus();
  window.TIntDep->setCursorPosition(6);
  QApplication::clipboard()->setText(QStringLiteral("abc"));
  press(Qt::Key_V, Qt::ControlModifier, 0x16);
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"));  // refused as a typed "a" would be
  QApplication::clipboard()->setText(QStringLiteral("7"));
  press(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,0007"));
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$10,007"));
  press(Qt::Key_Z, Qt::ControlModifier, 0x1a);
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"));
  press(Qt::Key_A, Qt::ControlModifier, 0x01);
  press(Qt::Key_X, Qt::ControlModifier, 0x18);
  EXPECT_EQ(window.TIntDep->text(), QString());
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("$1,000"));
  press(Qt::Key_V, Qt::ControlModifier, 0x16);
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"));
}

TEST_F(EntryKeys, AKeyCarryingSeveralCharactersTypesEachInTurn) {
  struct Case {
    EntryField field;
    int caret;
    QString carried;
    QString after;
    int caretAfter;
  };
  const Case cases[] = {
      {&TFMain::TIntDep, 6, QStringLiteral("12"), QStringLiteral("$1,00012"),
       8},  // "$1,00012" reads 100,012
      {&TFMain::TIntRate, 4, QStringLiteral("12"), QStringLiteral("5.001"),
       5},  // the "2" makes six characters
      {&TFMain::TRegDep, 4, QStringLiteral("a5"), QStringLiteral("$1005"),
       5},  // the letter alone is dropped
  };
  for (const Case& c : cases) {
    TEdit* field = window.*c.field;
    field->setFocus();
    field->setCursorPosition(c.caret);
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, c.carried, Qt::NoModifier);
    EXPECT_EQ(field->text(), c.after) << c.carried.toStdString();
    EXPECT_EQ(field->cursorPosition(), c.caretAfter) << c.carried.toStdString();
  }
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$100,012"));
  Pick(window.CcompFreq, QStringLiteral("Continuous"));
  Pick(window.CcompFreq, QStringLiteral("Annually"));
  EXPECT_EQ(window.TRegDep->text(),
            QStringLiteral("$1005"));  // the deposit kept through continuous compounding
}

TEST_F(EntryKeys, AKeyWhoseRecalculationOverflowsKeepsItsCaretAndTheSavedDeposit) {
  OverflowEveryRecalculation();
  Type(window.TRegDep, 1, QStringLiteral("9"));
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$9100"));
  EXPECT_EQ(window.TRegDep->cursorPosition(), 2);
  EXPECT_EQ(window.PrevRegularDep, QStringLiteral("$9100"));
}

TEST_F(EntryKeys, OnlyKeysInTheRegularDepositFollowIntoThePreviousDeposit) {
  Type(window.TIntDep, 6, QStringLiteral("5"));
  Type(window.TAltdep, 3, QStringLiteral("5"));
  EXPECT_EQ(window.PrevRegularDep, QStringLiteral("$100"));
  Type(window.TRegDep, 4, QStringLiteral("5"));
  EXPECT_EQ(window.PrevRegularDep, QStringLiteral("$1005"));
  window.TIntDep->setFocus();
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$1,005"));
  EXPECT_EQ(window.PrevRegularDep, QStringLiteral("$1005"));
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace penmarrow::ui
