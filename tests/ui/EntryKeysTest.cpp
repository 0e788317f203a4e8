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
  struct Case { TEdit* TFMain::*field; QString start; int caret; QString keys; };
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
    field->SetText(c.start);
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
  QTest::keyClick(window.TIntDep, Qt::Key_Delete, Qt::ShiftModifier);  // Shift+Delete acts as Delete
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

TEST_F(EntryKeys, ControlKeysNeverReachTheField) {
  QApplication::clipboard()->setText(QStringLiteral("7"));
  for (const auto& [key, modifiers] : {std::pair{Qt::Key_V, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ShiftModifier},
                                       {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Return, Qt::NoModifier}}) {
    window.TIntDep->setCursorPosition(6);
    QTest::keyClick(window.TIntDep, key, modifiers);
    EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"));
  }
}

TEST_F(EntryKeys, PastedTextPassesTheSameTestAsTypedText) {
  struct Case { TEdit* TFMain::*field; QString pasted; QString after; };
  const Case cases[] = {
      {&TFMain::TIntDep, QStringLiteral("12345678"), QStringLiteral("$1,000")},
      {&TFMain::TIntDep, QStringLiteral("2500"), QStringLiteral("2500")},
      {&TFMain::TIntDep, QStringLiteral("-500"), QStringLiteral("$1,000")},
      {&TFMain::TIntRate, QStringLiteral("1000."), QStringLiteral("5.00")},
      {&TFMain::TIntRate, QStringLiteral("1e2"), QStringLiteral("5.00")},
      {&TFMain::TIntRate, QStringLiteral("7.5"), QStringLiteral("7.5")},
  };
  for (const Case& c : cases) {
    TEdit* field = window.*c.field;
    field->selectAll();
    QApplication::clipboard()->setText(c.pasted);
    field->paste();  // what the context menu's Paste does
    EXPECT_EQ(field->text(), c.after) << c.pasted.toStdString();
    field->SetText(field == window.TIntDep ? QStringLiteral("$1,000") : QStringLiteral("5.00"));
  }
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
