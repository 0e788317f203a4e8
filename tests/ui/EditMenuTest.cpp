// The entry fields' context menu, opened with a right-click and used with the keyboard as a person
// does: every action on every field, none of which may touch freed memory.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

class EditMenu : public WindowFixture {
 protected:
  // Right-clicks the field, walks the open menu down to the action and presses Return.
  void Choose(QWidget* field, const QString& action) {
    const QPoint at(field->width() / 2, field->height() / 2);
    QTest::mouseClick(field, Qt::RightButton, {}, at);
    // The windowing system turns the right-click into this event; offscreen, the test does.
    QContextMenuEvent opening(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &opening);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* wanted = nullptr;
    for (QAction* candidate : menu->actions())
      if (candidate->text().remove(u'&').section(u'\t', 0, 0) == action) wanted = candidate;
    ASSERT_NE(wanted, nullptr) << action.toStdString();
    ASSERT_TRUE(wanted->isEnabled()) << action.toStdString();
    while (menu->activeAction() != wanted) QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }
};

TEST_F(EditMenu, PasteThroughTheMenuRecalculates) {
  QApplication::clipboard()->setText(QStringLiteral("5"));
  window.TIntDep->setFocus();
  window.TIntDep->selectAll();
  Choose(window.TIntDep, QStringLiteral("Paste"));
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("5"));
  EXPECT_EQ(window.Totals1.initialDepVal->text(), QStringLiteral("$5"));
}

}  // namespace
}  // namespace penmarrow::ui
