// What a screen reader hears, read through Qt's accessibility interfaces of the real window: the
// fields' captions, the spoken totals, and the chart as a table of every shown year.

#include <QAccessible>
#include <QAccessibleTableInterface>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

class Accessibility : public WindowFixture {
 protected:
  static QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
  static QString NameOf(QAccessibleInterface* accessible) {
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
  }
  QAccessibleTableInterface* Table() { return Of(window.Chart)->tableInterface(); }
  QString Cell(int row, int column) { return NameOf(Table()->cellAt(row, column)); }
  QStringList Row(int row) {
    QStringList cells;
    for (int column = 0; column < Table()->columnCount(); ++column) cells << Cell(row, column);
    return cells;
  }
  QStringList Headings() {
    QStringList headings;
    for (int column = 0; column < Table()->columnCount(); ++column) headings << Table()->columnDescription(column);
    return headings;
  }
};

TEST_F(Accessibility, EveryInputIsLabelledByItsCaption) {
  const std::pair<QWidget*, QString> fields[] = {
      {window.TIntDep, "Initial deposit:"},   {window.TRegDep, "Regular deposit:"},
      {window.CDefFreq, "Deposit frequency:"}, {window.CcompFreq, "Compound frequency:"},
      {window.TIntRate, "Interest Rate:"},     {window.seYears, "Number of years (max 50):"},
      {window.TAltdep, "Change regular deposit:"}, {window.CAltFreq, "Change compound frequency:"},
      {window.TB, "Start later:"}};
  for (const auto& [field, caption] : fields) {
    const auto labels = Of(field)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1) << caption.toStdString();
    EXPECT_EQ(NameOf(labels.front().first), caption);
  }
  // Edit fields carry the caption as their own name too; a list box's name is its choice.
  EXPECT_EQ(NameOf(Of(window.TIntDep)), "Initial deposit:");
  EXPECT_EQ(NameOf(Of(window.seYears)), "Number of years (max 50):");
  EXPECT_EQ(Of(window.CDefFreq)->text(QAccessible::Value), "Annually");
}

TEST_F(Accessibility, TotalsReadAsStrategyCaptionAndAmount) {
  EXPECT_EQ(NameOf(Of(window.Totals1.totalVal)), "Your strategy, total savings, $2,887");
  EXPECT_EQ(NameOf(Of(window.Totals1.initialDepVal)), "Your strategy, initial deposit, $1,000");
  ClickAlternative();
  EXPECT_EQ(NameOf(Of(window.Totals2.regularDepVal)), "Alternative strategy, regular deposits, $750");
  EXPECT_EQ(NameOf(Of(window.Totals2.totalIntVal)), "Alternative strategy, total interest, $822");
  TypeInto(window.TIntDep, "2000");
  EXPECT_EQ(NameOf(Of(window.Totals1.initialDepVal)), "Your strategy, initial deposit, $2,000");
}

TEST_F(Accessibility, ChartReadsAsATableOfTheShownYears) {
  QAccessibleInterface* chart = Of(window.Chart);
  EXPECT_EQ(chart->role(), QAccessible::Table);
  EXPECT_EQ(NameOf(chart), "Savings by year");
  ASSERT_NE(Table(), nullptr);
  EXPECT_EQ(Table()->rowCount(), 10);
  EXPECT_EQ(Headings(), (QStringList{"Year", "Your strategy, initial deposit", "Your strategy, regular deposits",
                                     "Your strategy, total interest", "Your strategy, total savings"}));
  EXPECT_EQ(Row(0), (QStringList{"1", "$1,000", "$100", "$50", "$1,150"}));
  // The last row holds the totals the panel shows.
  EXPECT_EQ(Row(9), (QStringList{"10", "$1,000", "$1,000", "$887", "$2,887"}));
  EXPECT_EQ(Table()->cellAt(10, 0), nullptr);
  EXPECT_EQ(Table()->cellAt(0, 5), nullptr);

  ClickAlternative();
  window.TB->setValue(3);
  EXPECT_EQ(Table()->columnCount(), 9);
  EXPECT_EQ(Headings().mid(5), (QStringList{"Alternative strategy, initial deposit",
                                            "Alternative strategy, regular deposits",
                                            "Alternative strategy, total interest",
                                            "Alternative strategy, total savings"}));
  EXPECT_EQ(Row(2).mid(5), (QStringList{"$0", "$0", "$0", "$0"}));
  EXPECT_EQ(Row(3).mid(5), (QStringList{"$1,000", "$75", "$50", "$1,125"}));

  TypeYears("3");
  EXPECT_EQ(Table()->rowCount(), 3);
  ClickAlternative();
  EXPECT_EQ(Table()->columnCount(), 5);
}

TEST_F(Accessibility, CellsAreReachableAsChildrenAndNameTheirHeadings) {
  QAccessibleInterface* chart = Of(window.Chart);
  QAccessibleInterface* cell = Table()->cellAt(9, 4);
  const int index = chart->indexOfChild(cell);
  ASSERT_GE(index, 0);
  EXPECT_EQ(chart->child(index), cell);
  EXPECT_EQ(cell->parent(), chart);
  // The marks switch inside the chart stays reachable beside the cells.
  EXPECT_GE(chart->indexOfChild(Of(window.chMarks)), 0);

  QAccessibleTableCellInterface* place = cell->tableCellInterface();
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->rowIndex(), 9);
  EXPECT_EQ(place->columnIndex(), 4);
  EXPECT_EQ(NameOf(place->columnHeaderCells().value(0)), "Your strategy, total savings");
  EXPECT_EQ(NameOf(place->rowHeaderCells().value(0)), "10");
  // A cell covers its year's bars on screen.
  const QRect bars = cell->rect();
  EXPECT_FALSE(bars.isEmpty());
  EXPECT_TRUE(window.Chart->rect().contains(window.Chart->mapFromGlobal(bars.center())));

  // A cell of a year no longer shown goes invalid rather than reading a point that is gone.
  TypeYears("5");
  EXPECT_FALSE(cell->isValid());
  EXPECT_EQ(NameOf(cell), "");
  EXPECT_EQ(chart->indexOfChild(cell), -1);
}

TEST_F(Accessibility, AnOverflowLeavesNoCellReadingBeyondTheHeldYears) {
  TypeInto(window.TIntDep, "999999");
  TypeInto(window.TRegDep, "999999");
  TypeInto(window.TIntRate, "99.99");
  ClickAlternative();
  TypeYears("50");
  ASSERT_FALSE(errors.empty());
  for (int row = 0; row < Table()->rowCount(); ++row)
    for (int column = 0; column < Table()->columnCount(); ++column)
      EXPECT_NE(Table()->cellAt(row, column), nullptr) << row << ", " << column;
  EXPECT_EQ(Cell(Table()->rowCount() - 1, 8), "");
}

}  // namespace
}  // namespace penmarrow::ui
