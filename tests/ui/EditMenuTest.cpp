// Text that reaches a field other than by typed keys: the context menu, opened with a right-click
// and used with the keyboard as a person does, a drop and an input method. Every menu action runs
// on every field without touching freed memory (the valgrind run of these tests checks that) or
// leaving its menu behind, all such text passes the rule typing passes, tested whole, and an edit
// stays whole when its recalculation overflows.

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

class EditMenu : public WindowFixture {
 protected:
  static void Choose(QWidget* field, const QString& action) {
    EXPECT_TRUE(ChooseFromMenu(field, action)) << action.toStdString();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    const QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == field || field->isAncestorOf(focus))
        << action.toStdString() << " took the focus away";
  }
  static QString Clipboard() { return QApplication::clipboard()->text(); }
  static void Select(QLineEdit* edit, int start, int length) {
    edit->setFocus();
    length > 0 ? edit->setSelection(start, length) : edit->setCursorPosition(start);
  }
};

TEST_F(EditMenu, EveryActionOnEveryFieldGoesThroughTheFieldsRule) {
  struct Case {
    QWidget* field;
    QLineEdit* edit;
    QString pasted;
  };
  const Case cases[] = {
      {window.TIntDep, window.TIntDep, QStringLiteral("2500")},
      {window.TRegDep, window.TRegDep, QStringLiteral("$250")},
      {window.TAltdep, window.TAltdep, QStringLiteral("80")},
      {window.TIntRate, window.TIntRate, QStringLiteral("7.5")},
      {window.seYears, window.seYears->findChild<QLineEdit*>(), QStringLiteral("20")}};
  ClickAlternative();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted.toStdString());
    const QString start = c.edit->text();
    Select(c.edit, 0, static_cast<int>(start.size()));
    Choose(c.field, QStringLiteral("Copy"));
    EXPECT_EQ(Clipboard(), start);
    Choose(c.field, QStringLiteral("Cut"));
    EXPECT_EQ(c.edit->text(), QString());
    Choose(c.field, QStringLiteral("Undo"));
    EXPECT_EQ(c.edit->text(), start);
    Select(c.edit, 0, static_cast<int>(start.size()));
    Choose(c.field, QStringLiteral("Delete"));
    EXPECT_EQ(c.edit->text(), QString());
    Choose(c.field, QStringLiteral("Undo"));
    EXPECT_EQ(c.edit->text(), start);
    QApplication::clipboard()->setText(c.pasted);
    Select(c.edit, 0, static_cast<int>(start.size()));
    Choose(c.field, QStringLiteral("Paste"));
    EXPECT_EQ(c.edit->text(), c.pasted);
    Choose(c.field, QStringLiteral("Select All"));
    EXPECT_EQ(c.edit->selectedText(), c.pasted);
  }
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$2,500"));
  EXPECT_EQ(window.Chart->Series(0).Count(), 20);
  EXPECT_TRUE(errors.empty());
}

TEST_F(EditMenu, APasteIsTestedWholeAndARefusedOneLeavesTheSelectionWhereItWas) {
  struct Case {
    EntryField field;
    QString start;
    int selStart;
    int selLength;
    QString pasted;
    QString after;
  };
  const QString longZeros = QString(40'000, u'0') + u'5';
  const Case cases[] = {
      {&TFMain::TIntDep, QStringLiteral("$1,000"), 0, 6, QStringLiteral("12345678"),
       QStringLiteral("$1,000")},
      {&TFMain::TIntDep, QStringLiteral("$1,000"), 1, 5, QStringLiteral("-500"),
       QStringLiteral("$1,000")},
      {&TFMain::TIntDep, QStringLiteral("$2,000"), 0, 0, QStringLiteral("$"),
       QStringLiteral("$2,000")},
      {&TFMain::TIntDep, QStringLiteral("$1,000"), 3, 0, QStringLiteral("x"),
       QStringLiteral("$1,000")},
      {&TFMain::TIntDep, QStringLiteral("$1,000"), 0, 6, longZeros, longZeros},  // counts as 5
      {&TFMain::TIntRate, QStringLiteral("5.00"), 0, 4, QStringLiteral("2.5e-3"),
       QStringLiteral("5.00")},
      {&TFMain::TIntRate, QStringLiteral("5.00"), 0, 4, QStringLiteral("1.5e10"),
       QStringLiteral("5.00")},
      {&TFMain::TIntRate, QStringLiteral("5.00"), 1, 3, QStringLiteral("99.999"),
       QStringLiteral("5.00")},
      {&TFMain::TIntRate, QStringLiteral("5.00"), 0, 4, QStringLiteral("1e2"),
       QStringLiteral("5.00")},
      {&TFMain::TIntRate, QStringLiteral("5.00"), 2, 0, QStringLiteral("1000."),
       QStringLiteral("5.00")},
      {&TFMain::TIntRate, QStringLiteral("5.00"), 0, 4, QStringLiteral("7.5"),
       QStringLiteral("7.5")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted.left(20).toStdString());
    TEdit* field = window.*c.field;
    field->SetTextAndNotify(c.start);
    Select(field, c.selStart, c.selLength);
    QApplication::clipboard()->setText(c.pasted);
    Choose(field, QStringLiteral("Paste"));
    EXPECT_EQ(field->text(), c.after);
    const bool taken = c.after != c.start;
    EXPECT_EQ(field->SelStart(), taken ? c.selStart + c.pasted.size() : c.selStart);
    EXPECT_EQ(field->SelLength(), taken ? 0 : c.selLength);
  }
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$5"));
  EXPECT_EQ(window.TIntRate->text(), QStringLiteral("7.5"));
}

TEST_F(EditMenu, AClipboardWithoutTextChangesNoFieldWhateverWayItIsPasted) {
  using Fill = void (*)(QMimeData&);
  const Fill withoutText[] = {
      [](QMimeData& data) { data.setImageData(QImage(4, 4, QImage::Format_RGB32)); },
      [](QMimeData& data) { data.setHtml(QStringLiteral("<b>250</b>")); },
      [](QMimeData& data) { data.setData("application/octet-stream", "250"); }};
  ClickAlternative();
  for (const Fill fill : withoutText) {
    auto* data = new QMimeData;
    fill(*data);
    const std::string offered = data->formats().join(u' ').toStdString();
    QApplication::clipboard()->setMimeData(data);
    for (QWidget* field : std::initializer_list<QWidget*>{
             window.TIntDep, window.TRegDep, window.TAltdep, window.TIntRate, window.seYears}) {
      auto* edit = qobject_cast<QLineEdit*>(field) ? qobject_cast<QLineEdit*>(field)
                                                   : field->findChild<QLineEdit*>();
      const QString before = edit->text();
      Select(edit, 0, static_cast<int>(before.size()));
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
      EXPECT_FALSE(ChooseFromMenu(field, QStringLiteral("Paste")));  // shown disabled
      EXPECT_EQ(edit->text(), before) << offered;
    }
  }
  EXPECT_EQ(window.Chart->Series(0).Count(), 10);
}

TEST_F(EditMenu, APastedRegularDepositComesBackAfterContinuousCompoundingEvenWhenPickedTwice) {
  QApplication::clipboard()->setText(QStringLiteral("250"));
  Select(window.TRegDep, 0, 4);
  Choose(window.TRegDep, QStringLiteral("Paste"));
  Pick(window.CcompFreq, QStringLiteral("Continuous"));
  Pick(window.CcompFreq, QStringLiteral("Continuous"));  // a repeated pick keeps the saver's amount
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$0"));
  Pick(window.CcompFreq, QStringLiteral("Annually"));
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("250"));
  EXPECT_EQ(window.Totals1.regularDepVal->text(), QStringLiteral("$2,500"));
}

TEST_F(EditMenu, AnEditWhoseRecalculationOverflowsStaysUndoableAndIsTheDepositPutBack) {
  OverflowEveryRecalculation();
  Select(window.TRegDep, 0, 4);
  Choose(window.TRegDep, QStringLiteral("Cut"));
  EXPECT_EQ(window.TRegDep->text(), QString());
  Choose(window.TRegDep, QStringLiteral("Undo"));
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("$100"));
  QApplication::clipboard()->setText(QStringLiteral("999999"));
  Select(window.TRegDep, 0, 4);
  Choose(window.TRegDep, QStringLiteral("Paste"));
  Pick(window.CcompFreq, QStringLiteral("Continuous"));
  Pick(window.CcompFreq, QStringLiteral("Annually"));
  EXPECT_EQ(window.TRegDep->text(), QStringLiteral("999999"));
  EXPECT_EQ(errors.size(), 5u);  // one box for each edit and pick
}

TEST_F(EditMenu, TheMenuShowsTheUsualKeysAndNoneIsLeftBehindHoweverOftenItIsUsed) {
  const auto menus = [this] { return window.findChildren<QMenu*>().size(); };
  const auto before = menus();
  QMenu* menu = OpenMenu(window.TIntDep);
  ASSERT_NE(menu, nullptr);
  QStringList keys;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) keys << action->text().section(u'\t', 1);
  EXPECT_EQ(keys, (QStringList{"Ctrl+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V", "Del", "Ctrl+A"}));
  QTest::keyClick(menu, Qt::Key_Escape);
  QApplication::clipboard()->setText(QStringLiteral("7"));
  for (int paste = 0; paste < 200; ++paste) {
    Select(window.TIntDep, 0, static_cast<int>(window.TIntDep->text().size()));
    Choose(window.TIntDep, QStringLiteral("Paste"));
  }
  EXPECT_EQ(menus(), before);
}

TEST_F(EditMenu, ARefusedDropIsNoMoveSoTheSourceKeepsItsText) {
  struct Case {
    QString dropped;
    QString after;
    bool taken;
  };
  const Case cases[] = {{QStringLiteral("12345678"), QString(), false},
                        {QStringLiteral("$$2"), QString(), false},
                        {QStringLiteral("250"), QStringLiteral("250"), true}};
  for (const Case& c : cases) {
    window.TIntDep->SetTextAndNotify(QString());
    QMimeData data;
    data.setText(c.dropped);
    // Qt delivers a drop only to the widget that took the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(window.TIntDep, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(window.TIntDep, &drop);
    EXPECT_EQ(window.TIntDep->text(), c.after) << c.dropped.toStdString();
    EXPECT_EQ(drop.isAccepted(), c.taken) << c.dropped.toStdString();
    EXPECT_EQ(drop.dropAction() == Qt::IgnoreAction, !c.taken) << c.dropped.toStdString();
  }
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$250"));
}

TEST_F(EditMenu, CommittedInputMethodTextIsTestedWhole) {
  struct Case {
    QString committed;
    QString after;
  };
  const Case cases[] = {{QStringLiteral("2.5e-3"), QStringLiteral("5.00")},
                        {QStringLiteral("99.999"), QStringLiteral("5.00")},
                        {QStringLiteral("4.25"), QStringLiteral("4.25")}};
  for (const Case& c : cases) {
    window.TIntRate->SetTextAndNotify(QStringLiteral("5.00"));
    Select(window.TIntRate, 0, 4);
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(c.committed);
    QApplication::sendEvent(window.TIntRate, &commit);
    EXPECT_EQ(window.TIntRate->text(), c.after) << c.committed.toStdString();
  }
  EXPECT_EQ(window.TIntRate->cursorPosition(), 4);
}

TEST_F(EditMenu, AnInsertionFromCodeOutsideAnyEventIsTestedWholeToo) {
  window.TIntDep->SetTextAndNotify(QStringLiteral("$2,000"));  // the caret at the end
  window.TIntDep->insert(QStringLiteral("$"));  // a second currency string: no typed text
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$2,000"));
  window.TIntDep->insert(QStringLiteral("3"));
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$2,0003"));
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$20,003"));
}

}  // namespace
}  // namespace penmarrow::ui
