#pragma once
// The real main window with its year hint, shown offscreen and active; errors that would open a
// message box are recorded instead.

#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/accessibility/Narrator.h"
#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {

// One of the window's entry fields, picked by a test table's row.
using EntryField = decltype(&TFMain::TIntDep);

class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ErrorDisplay::SetPresenter([this](const QString& message) { errors.push_back(message); });
    hint = new TFHint(&window);
    window.SetHint(hint);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override { ErrorDisplay::SetPresenter(nullptr); }

  // Right-clicks a field, walks its context menu down to the action and
  // presses Return, as a person does; a disabled action is not reachable,
  // and Escape closes the menu instead. Says whether the action ran.
  static bool ChooseFromMenu(QWidget* field, const QString& action) {
    QMenu* menu = OpenMenu(field);
    if (!menu) {
      ADD_FAILURE() << "no context menu opened";
      return false;
    }
    QAction* wanted = ActionNamed(*menu, action);
    const bool runs = wanted && wanted->isEnabled();
    if (runs)
      PickWithKeys(*menu, *wanted);
    else
      QTest::keyClick(menu, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents();  // the chosen action runs, as the event loop runs it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed menu goes
    // A window manager gives the activation back to the
    // window once the menu closes; offscreen does not.
    field->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(field->window()));
    return runs;
  }
  // The menu's command read without its underline mark and shortcut, or null.
  static QAction* ActionNamed(const QMenu& menu, const QString& name) {
    for (QAction* action : menu.actions())
      if (action->text().section(u'\t', 0, 0).remove(u'&') == name) return action;
    return nullptr;
  }
  // Down to an enabled command of the open menu, then Return, as the user picks it.
  static void PickWithKeys(QMenu& menu, const QAction& action) {
    while (menu.activeAction() != &action) QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Return);
  }
  // Right-clicks the middle of a field; the context menu it opened, if any.
  static QMenu* OpenMenu(QWidget* field) {
    const QPoint at(field->width() / 2, field->height() / 2);
    QWidget* target = field->childAt(at) ? field->childAt(at) : field;
    const QPoint inside = target->mapFrom(field, at);
    QTest::mouseClick(target, Qt::RightButton, {}, inside);
    // The windowing system turns the right-click into this event; offscreen, the test does.
    QContextMenuEvent opening(QContextMenuEvent::Mouse, inside, target->mapToGlobal(inside));
    QApplication::sendEvent(target, &opening);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
  }
  // The largest initial deposit at the highest rate
  // over fifty years: every recalculation overflows.
  void OverflowEveryRecalculation() {
    window.seYears->SetValue(50);
    window.TIntDep->SetTextAndNotify(QStringLiteral("$999,999"));
    ErrorDisplay::GuardHoldingKeys(
        [this] { window.TIntRate->SetTextAndNotify(QStringLiteral("99.99")); });
    ASSERT_EQ(errors.size(), 1u);
    errors.clear();
  }
  // A pick in the drop-down list, as the user makes it.
  static void Pick(TComboBox* box, const QString& name) {
    const int index = box->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  void ClickAlternative() {
    QTest::mouseClick(window.chAlternative, Qt::LeftButton, {},
                      QPoint(5, window.chAlternative->height() / 2));
  }
  // Replaces the whole text of an entry field by typed digits.
  static void TypeInto(TEdit* field, const QString& digits) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, digits);
  }
  // Typing replaces the selected text; typing nothing deletes it.
  void TypeYears(const QString& keys) {
    window.seYears->selectAll();
    if (keys.isEmpty()) QTest::keyClick(window.seYears, Qt::Key_Backspace);
    QTest::keyClicks(window.seYears, keys);
  }
  static QStringList Captions(const TotalsPanel& t) {
    return {t.initialDepVal->text(), t.regularDepVal->text(), t.totalIntVal->text(),
            t.totalVal->text()};
  }
  std::vector<double> Values(int series) const {
    std::vector<double> values;
    for (int i = 0; i < window.Chart->Series(series).Count(); ++i)
      values.push_back(window.Chart->Series(series).YValue(i));
    return values;
  }
  // Every recalculation projects your strategy anew,
  // and each projection starts by emptying series 0.
  int CountRecalculations(const std::function<void()>& action) {
    TChartSeries& series = window.Chart->Series(0);
    const std::function<void()> redraw = series.OnChanged;
    int emptied = 0;
    series.OnChanged = [&] {
      if (series.Count() == 0) ++emptied;
      if (redraw) redraw();
    };
    action();
    series.OnChanged = redraw;
    return emptied;
  }

  Narrator& Narration() {
    for (QObject* child : window.children())
      if (auto* narrator = dynamic_cast<Narrator*>(child)) return *narrator;
    throw std::logic_error("the window has no narrator");
  }
  // What the narrator told once the window waited for the next input.
  QString Told() {
    QEventLoop idle;
    QTimer::singleShot(20, &idle, &QEventLoop::quit);
    idle.exec();
    return Narration().LastMessage();
  }

  TFMain window;
  TFHint* hint = nullptr;
  std::vector<QString> errors;
};

}  // namespace penmarrow::ui
